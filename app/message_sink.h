#pragma once
// Where an operation's failure message goes: on Windows a message box owned by
// the main window with an OK button; in tests a recorder.

#include <string>
#include <string_view>

namespace trv {

class MessageSink {
  public:
    virtual ~MessageSink() = default;
    // An empty caption means a box without a caption.
    virtual void showMessage(std::u16string_view text, std::u16string_view caption) = 0;
};

}  // namespace trv
