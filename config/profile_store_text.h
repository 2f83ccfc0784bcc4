#pragma once
// The text of a private profile file, read and edited the way the Windows
// profile functions treat it, so that a file written here reads the same
// through them and the other way round. Lines end with CR LF, LF or CR;
// "[name]" opens a section (the last ']' of the line closes the name); a line
// with '=' is a key, the first '=' ending its name; names and values lose the
// spaces around them; a value in matching quotes loses the quotes. Lines
// before the first section belong to a section with an empty name. Only the
// first section of a name and the first key of a name in it count. Edits
// change the one line they concern and keep every other character.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace trv::profile {

// How the file's bytes carry its text: a byte-order mark picks UTF-16 or
// UTF-8; a file without one is UTF-8 when it is valid UTF-8 (plain ASCII
// included), else Windows-1252. An edited file keeps its encoding.
enum class Encoding : std::uint8_t { Utf16Le, Utf16Be, Utf8WithBom, Utf8, Windows1252 };

struct Document {
    Encoding encoding = Encoding::Utf16Le;
    std::u16string text;
};

Document decode(std::span<const std::uint8_t> bytes);
std::vector<std::uint8_t> encode(const Document& document);

// The value of the key, in full, or nothing when the section or the key is
// missing or the key's line has no '='.
std::optional<std::u16string> findValue(std::u16string_view text, std::u16string_view section,
                                        std::u16string_view key);

// One line of the text as findValue and setValue see it, for a caller that
// checks a whole file line by line.
struct Entry {
    enum class Kind : std::uint8_t { Blank, Section, Key };
    std::size_t line = 0;  // from 1
    Kind kind = Kind::Blank;
    std::u16string name;  // the section's or key's name, trimmed
    // A key's value as findValue reads it; nothing on a line without '='.
    std::optional<std::u16string> value;
};
std::vector<Entry> entries(std::u16string_view text);

// Sets the key's value: the first such key's line changes after its '='; a
// missing key is added after the last non-blank line of the section; a missing
// section is added at the end. New lines end the way the file's first line does.
void setValue(std::u16string& text, std::u16string_view section, std::u16string_view key,
              std::u16string_view value);

}  // namespace trv::profile
