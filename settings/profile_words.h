#pragma once
// The words a readable profile and the tool's status show settings in and
// read them back from, in English whatever the interface language: the report
// rate in Hz, DPI levels by their label, colours as #RRGGBB, the lighting
// texts, assignments with their parameters. Only the values the program shows and sets have
// words, and only words are read back: a byte that has none (a damaged file or
// block, or another program, put it there) is written "byte N" to be seen, and
// is not read, so a profile never carries a value past the program's ranges.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "perf/dpi.h"

namespace trv::readable {

// One-byte settings and the words each takes.
enum class WordKind : std::uint8_t {
    ReportRate,   // "1000 Hz"
    DpiLevel,     // the label of the sensor type's table: "800"
    OnOff,        // 1 "on", 0 "off"
    LightMode,    // "Standard Mode"
    Brightness,   // "100%"
    Respiration,  // "8S"
    NeonPeriod,   // "0.5S"
    Effect,       // "RGB Effect"
    ModeShown,    // "Mode A", "Mode B"
    FireTime,     // "5" .. "255"
    SliderPos,    // "1" .. "11"
    ScrollPos,    // "0" .. "11"
};

// The word of a value, or "byte N" when it has none.
std::u16string wordsOf(WordKind kind, std::uint8_t sensorType, std::uint8_t value);
// The value of the words (ASCII letters in any case), or nothing.
std::optional<std::uint8_t> valueOfWords(WordKind kind, std::uint8_t sensorType,
                                         std::u16string_view words);
// What the kind takes, for a message about a value it does not: "125 Hz, 250
// Hz, 500 Hz, 1000 Hz".
std::u16string wordsTaken(WordKind kind, std::uint8_t sensorType);

std::u16string colourWords(Rgb colour);  // "#1A2B3C"
std::optional<Rgb> colourOfWords(std::u16string_view words);

// An assignment as a type byte, its parameter byte and the fire-key repeat
// count, as the settings record holds them.
struct AssignmentBytes {
    std::uint8_t type = 0;
    std::uint8_t parameter = 0;
    std::uint8_t fireTimes = 0;
    bool operator==(const AssignmentBytes&) const = default;
};

// "Left Click", "DPI Switch: DPI Loop", "Windows: Mail", "Multimedia: Vol-",
// "HotKey: Copy", "Fire Key: A, 5 times", "Fire Key: L-Button, until
// released", "Single Key: Num Lock", "Single Key: F13"; "byte 14" for a type
// byte without a word, and "byte N" for such a parameter.
std::u16string assignmentWords(const AssignmentBytes& assignment);
// Nothing, with `problem` set, when the words name no assignment.
std::optional<AssignmentBytes> assignmentOfWords(std::u16string_view words,
                                                 std::u16string& problem);

// "byte N": how a byte without a word is shown.
std::u16string byteWords(std::uint8_t value);

std::u16string_view trimmed(std::u16string_view text);

std::u16string ascii(std::string_view text);
// UTF-8 for the console and files.
std::string utf8(std::u16string_view text);

}  // namespace trv::readable
