#pragma once
// A canvas that writes down what is drawn on it, one line a call:
// "/button-over.png 611,492" for an image, "text OK @611,492" for a text
// (with its rectangle's top-left corner), "focus 609,490 109x25 /2" for the
// focus mark, in order.

#include <string>
#include <vector>

#include "ui/canvas.h"

namespace trv::testing {

class RecordingCanvas final : public ui::Canvas {
  public:
    bool drawImage(std::u16string_view name, int x, int y) override {
        calls.push_back(narrow(name) + " " + std::to_string(x) + "," + std::to_string(y));
        return true;
    }
    void drawText(std::u16string_view text, ui::Rect rect, ui::TextFormat, ui::FontRole) override {
        calls.push_back("text " + narrow(text) + " @" + std::to_string(rect.left) + "," +
                        std::to_string(rect.top));
    }

    void drawFocusFrame(ui::Rect outer, int width) override {
        calls.push_back("focus " + std::to_string(outer.left) + "," + std::to_string(outer.top) +
                        " " + std::to_string(outer.width()) + "x" + std::to_string(outer.height()) +
                        " /" + std::to_string(width));
    }

    bool drew(const std::string& call) const {
        for (const std::string& c : calls) {
            if (c == call) return true;
        }
        return false;
    }
    int count(const std::string& prefix) const {
        int n = 0;
        for (const std::string& c : calls) n += c.rfind(prefix, 0) == 0 ? 1 : 0;
        return n;
    }

    std::vector<std::string> calls;

  private:
    // Non-ASCII characters become '?': tests compare English texts.
    static std::string narrow(std::u16string_view text) {
        std::string out;
        for (char16_t c : text) out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
        return out;
    }
};

}  // namespace trv::testing
