#include "config/profile_store_text.h"

#include <algorithm>
#include <array>

namespace trv::profile {

namespace {

// ---- Encodings ------------------------------------------------------------

constexpr std::array<std::uint8_t, 2> kUtf16LeMark{0xFF, 0xFE};
constexpr std::array<std::uint8_t, 2> kUtf16BeMark{0xFE, 0xFF};
constexpr std::array<std::uint8_t, 3> kUtf8Mark{0xEF, 0xBB, 0xBF};
constexpr char16_t kReplacement = 0xFFFD;
constexpr std::uint8_t kUnmappable = '?';

// Windows-1252's bytes 0x80..0x9F. The five bytes it leaves undefined map to
// the C1 control of the same number, as Windows' own conversion does.
constexpr std::array<char16_t, 32> kWindows1252High{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};
constexpr std::uint8_t kWindows1252HighFirst = 0x80;

template <std::size_t N>
bool startsWith(std::span<const std::uint8_t> bytes, const std::array<std::uint8_t, N>& mark) {
    return bytes.size() >= N && std::equal(mark.begin(), mark.end(), bytes.begin());
}

bool isSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDFFF;
}

// Decodes one UTF-8 sequence at `at`; nothing when it is not well-formed
// (overlong forms, surrogates and values past U+10FFFF included).
std::optional<char32_t> nextUtf8(std::span<const std::uint8_t> bytes, std::size_t& at) {
    const std::uint8_t lead = bytes[at];
    std::size_t length = 0;
    char32_t c = 0;
    char32_t least = 0;
    if (lead < 0x80) {
        ++at;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, c = lead & 0x1F, least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, c = lead & 0x0F, least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, c = lead & 0x07, least = 0x10000;
    } else {
        return std::nullopt;
    }
    if (bytes.size() - at < length) return std::nullopt;
    for (std::size_t i = 1; i < length; ++i) {
        const std::uint8_t next = bytes[at + i];
        if ((next & 0xC0) != 0x80) return std::nullopt;
        c = (c << 6) | (next & 0x3F);
    }
    if (c < least || c > 0x10FFFF || isSurrogate(c)) return std::nullopt;
    at += length;
    return c;
}

void appendCodePoint(std::u16string& text, char32_t c) {
    if (c < 0x10000) {
        text.push_back(static_cast<char16_t>(c));
    } else {
        c -= 0x10000;
        text.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
        text.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
    }
}

bool isValidUtf8(std::span<const std::uint8_t> bytes) {
    for (std::size_t at = 0; at < bytes.size();) {
        if (!nextUtf8(bytes, at)) return false;
    }
    return true;
}

std::u16string fromUtf8(std::span<const std::uint8_t> bytes) {
    std::u16string text;
    text.reserve(bytes.size());
    for (std::size_t at = 0; at < bytes.size();) {
        if (auto c = nextUtf8(bytes, at)) {
            appendCodePoint(text, *c);
        } else {
            text.push_back(kReplacement);
            ++at;
        }
    }
    return text;
}

std::u16string fromUtf16(std::span<const std::uint8_t> bytes, bool bigEndian) {
    std::u16string text;
    text.reserve(bytes.size() / 2);
    for (std::size_t at = 0; at + 1 < bytes.size(); at += 2) {
        const unsigned first = bytes[at];
        const unsigned second = bytes[at + 1];
        text.push_back(
            static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first));
    }
    return text;
}

std::u16string fromWindows1252(std::span<const std::uint8_t> bytes) {
    std::u16string text;
    text.reserve(bytes.size());
    for (std::uint8_t b : bytes) {
        const bool high = b >= kWindows1252HighFirst && b < kWindows1252HighFirst + 32;
        text.push_back(high ? kWindows1252High[b - kWindows1252HighFirst] : char16_t{b});
    }
    return text;
}

void appendUtf8(std::vector<std::uint8_t>& out, std::u16string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        } else if (isSurrogate(c)) {
            c = kReplacement;
        }
        if (c < 0x80) {
            out.push_back(static_cast<std::uint8_t>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<std::uint8_t>(0xC0 | (c >> 6)));
            out.push_back(static_cast<std::uint8_t>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(static_cast<std::uint8_t>(0xE0 | (c >> 12)));
            out.push_back(static_cast<std::uint8_t>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<std::uint8_t>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<std::uint8_t>(0xF0 | (c >> 18)));
            out.push_back(static_cast<std::uint8_t>(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(static_cast<std::uint8_t>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<std::uint8_t>(0x80 | (c & 0x3F)));
        }
    }
}

void appendUtf16(std::vector<std::uint8_t>& out, std::u16string_view text, bool bigEndian) {
    for (char16_t unit : text) {
        const auto high = static_cast<std::uint8_t>(unit >> 8);
        const auto low = static_cast<std::uint8_t>(unit & 0xFF);
        out.push_back(bigEndian ? high : low);
        out.push_back(bigEndian ? low : high);
    }
}

std::uint8_t toWindows1252(char16_t c) {
    if (c < kWindows1252HighFirst || (c >= 0xA0 && c <= 0xFF)) return static_cast<std::uint8_t>(c);
    for (std::size_t i = 0; i < kWindows1252High.size(); ++i) {
        if (kWindows1252High[i] == c) return static_cast<std::uint8_t>(kWindows1252HighFirst + i);
    }
    return kUnmappable;
}

// ---- Lines ----------------------------------------------------------------

// Only ASCII white space (and the old end-of-file mark) surrounds names and
// values; wider spaces such as U+3000 belong to the text.
bool isBlank(char16_t c) {
    switch (c) {
        case u' ':
        case u'\t':
        case u'\n':
        case u'\v':
        case u'\f':
        case u'\r':
        case 0x1A:
            return true;
        default:
            return false;
    }
}

std::u16string_view trim(std::u16string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

// Simple case folding of the scripts a name may plausibly be written in.
char16_t foldCase(char16_t c) {
    if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 0x20;
    if (c >= 0x410 && c <= 0x42F) return c + 0x20;                // Cyrillic А..Я
    if (c >= 0x400 && c <= 0x40F) return c + 0x50;                // Cyrillic Ѐ..Џ
    if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return c + 0x20;  // Greek
    return c;
}

bool sameName(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](char16_t x, char16_t y) { return foldCase(x) == foldCase(y); });
}

enum class LineKind : std::uint8_t { Blank, Section, Key };

struct Line {
    std::size_t begin = 0;
    std::size_t end = 0;   // end of the content, before the line break
    std::size_t next = 0;  // start of the next line
    LineKind kind = LineKind::Blank;
    std::u16string_view name;                   // section or key name, trimmed
    std::size_t equals = std::u16string::npos;  // position of a key's '='
};

Line parseLine(std::u16string_view text, std::size_t begin) {
    Line line;
    line.begin = begin;
    line.end = text.find_first_of(u"\r\n", begin);
    if (line.end == std::u16string_view::npos) line.end = text.size();
    line.next = line.end;
    if (line.next < text.size()) {
        const bool crLf =
            text[line.next] == u'\r' && line.next + 1 < text.size() && text[line.next + 1] == u'\n';
        line.next += crLf ? 2 : 1;
    }
    const std::u16string_view content = text.substr(begin, line.end - begin);
    const std::u16string_view trimmed = trim(content);
    if (trimmed.empty()) return line;
    if (trimmed.front() == u'[') {
        const std::size_t close = trimmed.rfind(u']');
        if (close != std::u16string_view::npos && close > 0) {
            line.kind = LineKind::Section;
            line.name = trim(trimmed.substr(1, close - 1));
            return line;
        }
    }
    line.kind = LineKind::Key;
    const std::size_t equals = content.find(u'=');
    if (equals == std::u16string_view::npos) {
        line.name = trimmed;
    } else {
        line.equals = begin + equals;
        line.name = trim(content.substr(0, equals));
    }
    return line;
}

std::vector<Line> parseLines(std::u16string_view text) {
    std::vector<Line> lines;
    for (std::size_t at = 0; at < text.size();) {
        lines.push_back(parseLine(text, at));
        at = lines.back().next;
    }
    return lines;
}

// The lines of the first section of the name, its header excluded: [first, last).
struct SectionSpan {
    std::size_t header = 0;  // index of the header line, or npos for the unnamed lead section
    std::size_t first = 0;
    std::size_t last = 0;
};

std::size_t sectionEnd(const std::vector<Line>& lines, std::size_t from) {
    while (from < lines.size() && lines[from].kind != LineKind::Section) ++from;
    return from;
}

std::optional<SectionSpan> findSection(const std::vector<Line>& lines,
                                       std::u16string_view section) {
    const std::u16string_view wanted = trim(section);
    if (wanted.empty()) return SectionSpan{std::u16string::npos, 0, sectionEnd(lines, 0)};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].kind == LineKind::Section && sameName(lines[i].name, wanted)) {
            return SectionSpan{i, i + 1, sectionEnd(lines, i + 1)};
        }
    }
    return std::nullopt;
}

std::optional<std::size_t> findKey(const std::vector<Line>& lines, const SectionSpan& span,
                                   std::u16string_view key) {
    const std::u16string_view wanted = trim(key);
    for (std::size_t i = span.first; i < span.last; ++i) {
        if (lines[i].kind == LineKind::Key && sameName(lines[i].name, wanted)) return i;
    }
    return std::nullopt;
}

std::u16string_view lineBreakOf(std::u16string_view text) {
    const std::size_t at = text.find_first_of(u"\r\n");
    if (at != std::u16string_view::npos && text[at] == u'\n') return u"\n";
    return u"\r\n";
}

bool endsWithLineBreak(std::u16string_view text) {
    return !text.empty() && (text.back() == u'\n' || text.back() == u'\r');
}

std::u16string keyLine(std::u16string_view key, std::u16string_view value,
                       std::u16string_view lineBreak) {
    std::u16string line(trim(key));
    line += u'=';
    line += value;
    line += lineBreak;
    return line;
}

// A key's value: trimmed, cut at a null, and out of one pair of matching quotes.
std::optional<std::u16string> valueOf(std::u16string_view text, const Line& line) {
    if (line.equals == std::u16string::npos) return std::nullopt;
    std::u16string_view value = trim(text.substr(line.equals + 1, line.end - line.equals - 1));
    value = value.substr(0, value.find(u'\0'));
    if (value.size() > 1 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return std::u16string(value);
}

}  // namespace

Document decode(std::span<const std::uint8_t> bytes) {
    if (startsWith(bytes, kUtf16LeMark)) {
        return {Encoding::Utf16Le, fromUtf16(bytes.subspan(kUtf16LeMark.size()), false)};
    }
    if (startsWith(bytes, kUtf16BeMark)) {
        return {Encoding::Utf16Be, fromUtf16(bytes.subspan(kUtf16BeMark.size()), true)};
    }
    if (startsWith(bytes, kUtf8Mark)) {
        return {Encoding::Utf8WithBom, fromUtf8(bytes.subspan(kUtf8Mark.size()))};
    }
    if (isValidUtf8(bytes)) return {Encoding::Utf8, fromUtf8(bytes)};
    return {Encoding::Windows1252, fromWindows1252(bytes)};
}

std::vector<std::uint8_t> encode(const Document& document) {
    std::vector<std::uint8_t> out;
    switch (document.encoding) {
        case Encoding::Utf16Le:
            out.assign(kUtf16LeMark.begin(), kUtf16LeMark.end());
            appendUtf16(out, document.text, false);
            break;
        case Encoding::Utf16Be:
            out.assign(kUtf16BeMark.begin(), kUtf16BeMark.end());
            appendUtf16(out, document.text, true);
            break;
        case Encoding::Utf8WithBom:
            out.assign(kUtf8Mark.begin(), kUtf8Mark.end());
            appendUtf8(out, document.text);
            break;
        case Encoding::Utf8:
            appendUtf8(out, document.text);
            break;
        case Encoding::Windows1252:
            out.reserve(document.text.size());
            for (char16_t c : document.text) out.push_back(toWindows1252(c));
            break;
    }
    return out;
}

std::optional<std::u16string> findValue(std::u16string_view text, std::u16string_view section,
                                        std::u16string_view key) {
    const std::vector<Line> lines = parseLines(text);
    const auto span = findSection(lines, section);
    if (!span) return std::nullopt;
    const auto found = findKey(lines, *span, key);
    if (!found) return std::nullopt;
    return valueOf(text, lines[*found]);
}

std::vector<Entry> entries(std::u16string_view text) {
    std::vector<Entry> found;
    std::size_t number = 0;
    for (const Line& line : parseLines(text)) {
        Entry entry;
        entry.line = ++number;
        entry.kind = line.kind == LineKind::Section ? Entry::Kind::Section
                     : line.kind == LineKind::Key   ? Entry::Kind::Key
                                                    : Entry::Kind::Blank;
        entry.name = line.name;
        if (line.kind == LineKind::Key) entry.value = valueOf(text, line);
        found.push_back(std::move(entry));
    }
    return found;
}

void setValue(std::u16string& text, std::u16string_view section, std::u16string_view key,
              std::u16string_view value) {
    const std::u16string lineBreak(lineBreakOf(text));
    const std::vector<Line> lines = parseLines(text);
    const auto span = findSection(lines, section);
    if (!span) {
        std::u16string added;
        if (!text.empty() && !endsWithLineBreak(text)) added += lineBreak;
        added += u'[';
        added += trim(section);
        added += u']';
        added += lineBreak;
        added += keyLine(key, value, lineBreak);
        text += added;
        return;
    }
    if (const auto found = findKey(lines, *span, key)) {
        const Line& line = lines[*found];
        if (line.equals == std::u16string::npos) {
            text.insert(line.end, u"=" + std::u16string(value));
            return;
        }
        std::size_t valueStart = line.equals + 1;
        while (valueStart < line.end && (text[valueStart] == u' ' || text[valueStart] == u'\t')) {
            ++valueStart;
        }
        text.replace(valueStart, line.end - valueStart, value);
        return;
    }
    // After the section's last non-blank line, or right after its header.
    std::optional<std::size_t> after;
    for (std::size_t i = span->first; i < span->last; ++i) {
        if (lines[i].kind != LineKind::Blank) after = i;
    }
    if (!after && span->header != std::u16string::npos) after = span->header;
    std::u16string added;
    std::size_t at = 0;
    if (after) {
        const Line& line = lines[*after];
        at = line.next;
        if (line.next == line.end) added += lineBreak;
    }
    added += keyLine(key, value, lineBreak);
    text.insert(at, added);
}

}  // namespace trv::profile
