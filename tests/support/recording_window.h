#pragma once
// Stands in for the main window in tests: records, in order, every message,
// balloon, hide, teardown and redraw the model asks for.

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "app/window_port.h"

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

class RecordingWindow final : public WindowPort {
  public:
    bool answerYes = true;  // to every question
    void showMessage(std::u16string_view text, std::u16string_view caption) override {
        shown.push_back({std::u16string(text), std::u16string(caption)});
        events.push_back("message");
        if (duringMessage) duringMessage();
    }
    bool askYesNo(std::u16string_view text, std::u16string_view caption) override {
        shown.push_back({std::u16string(text), std::u16string(caption)});
        events.push_back("question");
        return answerYes;
    }
    void showBalloon(std::uint32_t code) override {
        balloons.push_back(code);
        events.push_back("balloon " + std::to_string(code));
    }
    void hideWindow() override {
        ++hides;
        events.push_back("hide");
    }
    bool registerDeviceNotifications() override {
        events.push_back("register");
        return registrationSucceeds;
    }
    void loadSkinAndFonts() override { events.push_back("skin"); }
    void tearDownPage() override { events.push_back("teardown"); }
    void redraw(const ui::Redraw& redraw) override {
        redraws.push_back(redraw);
        if (!redraw.empty() && redraw.front().element == ui::Element::Page) {
            events.push_back("page");
        }
    }

    bool registrationSucceeds = true;
    // Runs inside a message box's loop, as window messages would.
    std::function<void()> duringMessage;

    std::vector<Shown> shown;
    std::vector<std::uint32_t> balloons;
    int hides = 0;
    std::vector<ui::Redraw> redraws;
    std::vector<std::string> events;
};

}  // namespace trv::testing
