#pragma once
// The three number fields of the fire-key dialog: the repeat count, checked
// on every change, and the make and break times, checked when the field loses
// the focus (a time is typed in several keystrokes, "1" on the way to "100").
// A value out of range puts the field back to its default.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace trv {

enum class FireField { Repeat, Make, Break };

class FireKeyFields {
  public:
    // What the field shows and holds right now.
    const std::u16string& text(FireField field) const;
    std::uint8_t repeatCount() const { return repeat_; }
    std::uint8_t makeTime() const { return make_; }
    std::uint8_t breakTime() const { return break_; }

    // The field's text changed. Returns the text the field must show instead,
    // when the rule replaced what was typed.
    std::optional<std::u16string> changed(FireField field, std::u16string_view text);
    // The field lost the focus (or the dialog closes with it unchecked).
    std::optional<std::u16string> left(FireField field);

  private:
    std::u16string repeatText_ = u"1";
    std::u16string makeText_ = u"5";
    std::u16string breakText_ = u"5";
    std::uint8_t repeat_ = 1;
    std::uint8_t make_ = 5;
    std::uint8_t break_ = 5;
};

// The leading decimal digits of a field's text; 0 without any.
unsigned leadingNumber(std::u16string_view text);

}  // namespace trv
