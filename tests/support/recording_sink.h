#pragma once
// Records the messages the program would show, in order, for tests to read.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "app/message_sink.h"

namespace trv::testing {

struct Shown {
    std::u16string text;
    std::u16string caption;
    bool operator==(const Shown&) const = default;
};

inline void PrintTo(const Shown& message, std::ostream* out) {
    *out << ::testing::PrintToString(message.text) << " captioned "
         << ::testing::PrintToString(message.caption);
}

class RecordingSink final : public MessageSink {
  public:
    void showMessage(std::u16string_view text, std::u16string_view caption) override {
        shown.push_back({std::u16string(text), std::u16string(caption)});
    }
    std::vector<Shown> shown;
};

}  // namespace trv::testing
