#include "ui/dialog_colours.h"

#include <array>
#include <optional>
#include <utility>

namespace trv::ui {

namespace {

std::string_view trimmed(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}

std::optional<int> hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return std::nullopt;
}

std::optional<Rgb> parseColour(std::string_view s) {
    if (s.size() != 7 || s[0] != '#') return std::nullopt;
    std::array<std::uint8_t, 3> parts{};
    for (std::size_t i = 0; i < 3; ++i) {
        const std::optional<int> high = hexDigit(s[1 + 2 * i]);
        const std::optional<int> low = hexDigit(s[2 + 2 * i]);
        if (!high || !low) return std::nullopt;
        parts[i] = static_cast<std::uint8_t>(*high * 16 + *low);
    }
    return Rgb{parts[0], parts[1], parts[2]};
}

}  // namespace

DialogColours parseDialogColours(std::string_view text) {
    DialogColours colours;
    const std::array<std::pair<std::string_view, Rgb*>, 6> names{{
        {"field", &colours.field},
        {"field_text", &colours.fieldText},
        {"selection", &colours.selection},
        {"selection_text", &colours.selectionText},
        {"border", &colours.border},
        {"caption", &colours.caption},
    }};
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = trimmed(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        const std::size_t equals = line.find('=');
        if (line.empty() || line[0] == ';' || line[0] == '[' || equals == std::string_view::npos) {
            continue;
        }
        const std::string_view name = trimmed(line.substr(0, equals));
        const std::optional<Rgb> colour = parseColour(trimmed(line.substr(equals + 1)));
        if (!colour) continue;
        for (const auto& [known, slot] : names) {
            if (name == known) *slot = *colour;
        }
    }
    return colours;
}

}  // namespace trv::ui
