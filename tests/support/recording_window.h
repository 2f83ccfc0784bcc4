#pragma once
// Stands in for the main window in tests: records, in order, every message,
// question, balloon, hide, teardown and redraw the model asks for, and answers
// the questions as the test has set.

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <optional>
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
    void showMessage(std::u16string_view text, std::u16string_view caption) override {
        shown.push_back({std::u16string(text), std::u16string(caption)});
        events.push_back("message");
        if (duringMessage) duringMessage();
    }
    bool askYesNo(std::u16string_view text, std::u16string_view caption) override {
        asked.push_back({std::u16string(text), std::u16string(caption)});
        events.push_back("question");
        if (duringMessage) duringMessage();
        if (answers.empty()) return answerYes;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void showBalloon(std::uint32_t code) override {
        balloons.push_back(code);
        events.push_back("balloon " + std::to_string(code));
    }
    void showBalloonText(const Balloon& balloon) override {
        balloonTexts.push_back(balloon);
        events.push_back("balloon text");
    }
    std::optional<std::u16string> chooseFile(const FileQuestion& question) override {
        fileQuestions.push_back(question);
        events.push_back("file dialog");
        if (chosenFiles.empty()) return std::nullopt;
        std::optional<std::u16string> chosen = chosenFiles.front();
        chosenFiles.pop_front();
        return chosen;
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
    // The answers to the next questions, in order; once they are used up,
    // every question gets `answerYes`.
    std::deque<bool> answers;
    bool answerYes = false;
    // Runs inside a message box's loop, as window messages would.
    std::function<void()> duringMessage;

    std::vector<Shown> shown;
    std::vector<Shown> asked;
    std::vector<std::uint32_t> balloons;
    std::vector<Balloon> balloonTexts;
    // What the next file dialogs return, in order (nothing: cancelled); once
    // they are used up, every dialog is cancelled.
    std::deque<std::optional<std::u16string>> chosenFiles;
    std::vector<FileQuestion> fileQuestions;
    int hides = 0;
    std::vector<ui::Redraw> redraws;
    std::vector<std::string> events;
};

}  // namespace trv::testing
