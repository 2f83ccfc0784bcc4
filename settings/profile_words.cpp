#include "settings/profile_words.h"

#include <algorithm>
#include <array>

#include "assign/assignment.h"
#include "assign/key_tables.h"
#include "assign/scan_codes.h"
#include "config/ascii_case.h"
#include "config/profile_store_text.h"
#include "lang/dialog_labels.h"
#include "lang/text_table.h"
#include "perf/lighting.h"
#include "perf/pointer.h"
#include "perf/report_rate.h"

namespace trv::readable {

namespace {

constexpr Language kWordsLanguage = Language::English;
constexpr std::u16string_view kBytePrefix = u"byte ";
constexpr std::uint8_t kFirstFireTime = 5;
constexpr std::size_t kListedWordsAtMost = 12;
constexpr std::u16string_view kUntilReleased = u"until released";
constexpr std::u16string_view kNoKey = u"none";

// Keys the single-key dialog takes by their position on the keyboard when
// the key-name table does not know their name.
struct UsageName {
    std::uint8_t usage;
    std::u16string_view name;
};
constexpr UsageName kKeysByPosition[] = {
    {0x31, u"\\"},      {0x64, u"Non-US \\"},  {0x65, u"Application"}, {0x67, u"Num ="},
    {0x68, u"F13"},     {0x69, u"F14"},        {0x6A, u"F15"},         {0x6B, u"F16"},
    {0x6C, u"F17"},     {0x6D, u"F18"},        {0x6E, u"F19"},         {0x6F, u"F20"},
    {0x70, u"F21"},     {0x71, u"F22"},        {0x72, u"F23"},         {0x73, u"F24"},
    {0x85, u"Num ,"},   {0x87, u"Ro"},         {0x88, u"Kana"},        {0x89, u"Yen"},
    {0x8A, u"Convert"}, {0x8B, u"No Convert"},
};

std::u16string wordOf(WordKind kind, std::uint8_t sensorType, std::uint8_t v) {
    switch (kind) {
        case WordKind::ReportRate:
            for (int knob = 1; knob <= kReportRateKnobs; ++knob) {
                if (reportRateCodeOfKnob(knob) == v) {
                    return std::u16string(reportRateKnobLabel(knob)) + u" Hz";
                }
            }
            return {};
        case WordKind::DpiLevel:
            return std::u16string(dpiLevelLabel(sensorType, v));
        case WordKind::OnOff:
            return v == 1 ? u"on" : v == 0 ? u"off" : u"";
        case WordKind::LightMode:
            return lightModeText(kWordsLanguage, v);
        case WordKind::Brightness:
            return brightnessText(v);
        case WordKind::Respiration:
            return respirationText(v);
        case WordKind::NeonPeriod:
            return neonText(v);
        case WordKind::Effect:
            return effectText(kWordsLanguage, v);
        case WordKind::ModeShown:
            return v == 0 ? u"Mode A" : v == 1 ? u"Mode B" : u"";
        case WordKind::FireTime:
            return v >= kFirstFireTime ? decimalText(v) : u"";
        case WordKind::SliderPos:
            return v >= kPointerSliderMin && v <= kPointerSliderMax ? decimalText(v) : u"";
        case WordKind::ScrollPos:
            return v <= kPointerSliderMax ? decimalText(v) : u"";
    }
    return {};
}

// Up to three digits and nothing else.
std::optional<unsigned> decimalOf(std::u16string_view digits) {
    constexpr std::size_t kMaxDigits = 3;
    if (digits.empty() || digits.size() > kMaxDigits) return std::nullopt;
    unsigned value = 0;
    for (char16_t c : digits) {
        if (c < u'0' || c > u'9') return std::nullopt;
        value = value * 10 + (c - u'0');
    }
    return value;
}

// A value from a list of words (item n means value n); nothing when none matches.
std::optional<std::uint8_t> itemOf(const std::vector<std::u16string_view>& items,
                                   std::u16string_view words) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (sameIgnoringAsciiCase(items[i], words)) return static_cast<std::uint8_t>(i);
    }
    return std::nullopt;
}

std::u16string joined(const std::vector<std::u16string_view>& items) {
    std::u16string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) text += i + 1 == items.size() ? u" or " : u", ";
        text += items[i];
    }
    return text;
}

std::vector<std::u16string_view> listItems(DialogLabelSet set) {
    return dialogListItems(set, kWordsLanguage);
}

// The words of a type's parameter, and the items a parameter is read from.
struct ParameterWords {
    std::vector<std::u16string> items;  // item n: the parameter value n
    std::vector<std::uint8_t> values;   // the value of each item when not its position
};

ParameterWords makeParameterWords(AssignmentType type) {
    ParameterWords words;
    auto fromList = [&](DialogLabelSet set) {
        for (std::u16string_view item : listItems(set)) words.items.emplace_back(item);
    };
    switch (type) {
        case AssignmentType::DpiSwitch:
            for (std::size_t i = 0; i < kDpiSwitchItemCount; ++i) {
                words.items.emplace_back(dpiSwitchItemText(i));
                words.values.push_back(dpiSwitchCodeOfItem(i));
            }
            break;
        case AssignmentType::Windows:
            fromList(DialogLabelSet::WindowsFunctions);
            break;
        case AssignmentType::Multimedia:
            fromList(DialogLabelSet::Multimedia);
            break;
        case AssignmentType::HotKey:
            fromList(DialogLabelSet::HotKey);
            break;
        case AssignmentType::FireKey:
            for (std::size_t i = 0; i < kFireKeyItemCount; ++i) {
                words.items.emplace_back(fireKeyItemText(i));
                words.values.push_back(fireKeyUsageOf(i));
            }
            break;
        case AssignmentType::SingleKey: {
            for (std::size_t i = 0; i < kKeyNameCount; ++i) {
                words.items.emplace_back(keyNameAt(i));
                words.values.push_back(keyNameToUsage(keyNameAt(i)));
            }
            // The dialog also takes a key by its scan code, and one with no
            // usage at all (0) when it knows neither.
            auto add = [&](std::uint8_t usage, std::u16string name) {
                if (std::find(words.values.begin(), words.values.end(), usage) !=
                    words.values.end()) {
                    return;
                }
                words.items.push_back(std::move(name));
                words.values.push_back(usage);
            };
            add(0, std::u16string(kNoKey));
            constexpr std::uint32_t kScanCodeShift = 16;
            constexpr std::uint32_t kExtendedBit = 1u << 24;
            for (std::uint32_t scan = 0; scan <= 0xFF; ++scan) {
                for (std::uint32_t extended : {0u, kExtendedBit}) {
                    const std::uint8_t usage = scanCodeToUsage(scan << kScanCodeShift | extended);
                    const auto named =
                        std::find_if(std::begin(kKeysByPosition), std::end(kKeysByPosition),
                                     [&](const UsageName& k) { return k.usage == usage; });
                    add(usage, named != std::end(kKeysByPosition) ? std::u16string(named->name)
                                                                  : u"Key " + decimalText(usage));
                }
            }
            break;
        }
        default:
            break;
    }
    if (words.values.empty()) {
        for (std::size_t i = 0; i < words.items.size(); ++i) {
            words.values.push_back(static_cast<std::uint8_t>(i));
        }
    }
    return words;
}

// Made once: a profile reads them for every button.
const ParameterWords& parameterWords(AssignmentType type) {
    static const auto kAll = [] {
        std::array<ParameterWords, kAssignmentTypeCount> all;
        for (std::size_t t = 0; t < all.size(); ++t) {
            all[t] = makeParameterWords(static_cast<AssignmentType>(t));
        }
        return all;
    }();
    return kAll[static_cast<std::size_t>(type)];
}

std::u16string parameterWordsOf(AssignmentType type, std::uint8_t value) {
    const ParameterWords& words = parameterWords(type);
    for (std::size_t i = 0; i < words.items.size(); ++i) {
        if (words.values[i] == value) return words.items[i];
    }
    return byteWords(value);
}

std::optional<std::uint8_t> parameterOfWords(AssignmentType type, std::u16string_view text) {
    const ParameterWords& words = parameterWords(type);
    for (std::size_t i = 0; i < words.items.size(); ++i) {
        if (sameIgnoringAsciiCase(words.items[i], text)) return words.values[i];
    }
    return std::nullopt;
}

std::u16string parameterExamples(AssignmentType type) {
    switch (type) {
        case AssignmentType::FireKey:
            return u"a key of the fire-key list and a count, as in \"Fire Key: A, 5 times\" or "
                   u"\"Fire Key: L-Button, until released\"";
        case AssignmentType::SingleKey:
            return u"a key name such as A, F5 or Num Lock";
        default: {
            const ParameterWords& words = parameterWords(type);
            return joined(std::vector<std::u16string_view>(words.items.begin(), words.items.end()));
        }
    }
}

std::u16string fireTimesWords(std::uint8_t times) {
    if (times == 0) return std::u16string(kUntilReleased);
    if (times > kMaxFireTimes) return byteWords(times);
    return decimalText(times) + (times == 1 ? u" time" : u" times");
}

std::optional<std::uint8_t> fireTimesOfWords(std::u16string_view text) {
    if (sameIgnoringAsciiCase(text, kUntilReleased)) return 0;
    const std::size_t space = text.find(u' ');
    if (space == std::u16string_view::npos) return std::nullopt;
    const auto count = decimalOf(text.substr(0, space));
    const std::u16string_view unit = text.substr(space + 1);
    if (!count || *count == 0 || *count > kMaxFireTimes ||
        !(sameIgnoringAsciiCase(unit, u"times") ||
          (*count == 1 && sameIgnoringAsciiCase(unit, u"time")))) {
        return std::nullopt;
    }
    return static_cast<std::uint8_t>(*count);
}

// Every value of a kind that has a word, with its word; made once per kind
// and, for DPI levels, per table (sensor types other than 0 and 1 have none).
using WordTable = std::vector<std::pair<std::uint8_t, std::u16string>>;

constexpr std::size_t kWordKinds = static_cast<std::size_t>(WordKind::ScrollPos) + 1;
constexpr std::size_t kSensorTables = 3;

const WordTable& wordTable(WordKind kind, std::uint8_t sensorType) {
    static const auto kTables = [] {
        std::array<std::array<WordTable, kSensorTables>, kWordKinds> tables;
        for (std::size_t k = 0; k < kWordKinds; ++k) {
            for (std::size_t t = 0; t < kSensorTables; ++t) {
                for (unsigned v = 0; v <= 0xFF; ++v) {
                    const auto value = static_cast<std::uint8_t>(v);
                    std::u16string word =
                        wordOf(static_cast<WordKind>(k), static_cast<std::uint8_t>(t), value);
                    if (!word.empty()) tables[k][t].emplace_back(value, std::move(word));
                }
            }
        }
        return tables;
    }();
    const std::size_t table = std::min<std::size_t>(sensorType, kSensorTables - 1);
    return kTables[static_cast<std::size_t>(kind)][table];
}

}  // namespace

std::u16string wordsOf(WordKind kind, std::uint8_t sensorType, std::uint8_t value) {
    for (const auto& [v, word] : wordTable(kind, sensorType)) {
        if (v == value) return word;
    }
    return byteWords(value);
}

std::optional<std::uint8_t> valueOfWords(WordKind kind, std::uint8_t sensorType,
                                         std::u16string_view words) {
    for (const auto& [v, word] : wordTable(kind, sensorType)) {
        if (sameIgnoringAsciiCase(word, words)) return v;
    }
    return std::nullopt;
}

std::u16string wordsTaken(WordKind kind, std::uint8_t sensorType) {
    const WordTable& table = wordTable(kind, sensorType);
    if (table.empty()) return u"no value";
    if (table.size() > kListedWordsAtMost) {
        return table.front().second + u" to " + table.back().second;
    }
    std::vector<std::u16string_view> words;
    for (const auto& entry : table) words.push_back(entry.second);
    return joined(words);
}

std::u16string colourWords(Rgb colour) {
    static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
    std::u16string text = u"#";
    for (std::uint8_t part : {colour.red, colour.green, colour.blue}) {
        text += kDigits[part >> 4];
        text += kDigits[part & 0x0F];
    }
    return text;
}

std::optional<Rgb> colourOfWords(std::u16string_view words) {
    constexpr std::size_t kDigitCount = 6;
    if (words.size() != 1 + kDigitCount || words.front() != u'#') return std::nullopt;
    std::array<std::uint8_t, 3> parts{};
    for (std::size_t i = 0; i < kDigitCount; ++i) {
        const char16_t c = asciiLower(words[1 + i]);
        unsigned digit = 0;
        if (c >= u'0' && c <= u'9') {
            digit = c - u'0';
        } else if (c >= u'a' && c <= u'f') {
            digit = 10u + (c - u'a');
        } else {
            return std::nullopt;
        }
        parts[i / 2] = static_cast<std::uint8_t>(parts[i / 2] * 16 + digit);
    }
    return Rgb{parts[0], parts[1], parts[2]};
}

std::u16string assignmentWords(const AssignmentBytes& a) {
    if (a.type >= kAssignmentTypeCount) return byteWords(a.type);
    const auto type = static_cast<AssignmentType>(a.type);
    std::u16string words(assignmentListText(kWordsLanguage, type));
    if (!parameterField(type)) return words;
    words += u": ";
    words += parameterWordsOf(type, a.parameter);
    if (type == AssignmentType::FireKey) words += u", " + fireTimesWords(a.fireTimes);
    return words;
}

std::optional<AssignmentBytes> assignmentOfWords(std::u16string_view words,
                                                 std::u16string& problem) {
    words = trimmed(words);
    const std::size_t colon = words.find(u':');
    const std::u16string_view typeText = trimmed(words.substr(0, colon));
    const auto items = assignmentListItems(kWordsLanguage);
    const auto typeValue =
        itemOf(std::vector<std::u16string_view>(items.begin(), items.end()), typeText);
    if (!typeValue) {
        problem = std::u16string(u"\"") + std::u16string(typeText) +
                  u"\" is not an assignment; one of " +
                  joined(std::vector<std::u16string_view>(items.begin(), items.end()));
        return std::nullopt;
    }
    const auto type = static_cast<AssignmentType>(*typeValue);
    const std::u16string typeName(items[*typeValue]);
    const std::u16string_view parameterText =
        colon == std::u16string_view::npos ? u"" : trimmed(words.substr(colon + 1));
    if (!parameterField(type)) {
        if (colon == std::u16string_view::npos) return AssignmentBytes{*typeValue};
        problem = typeName + u" takes no parameter";
        return std::nullopt;
    }

    AssignmentBytes assignment{*typeValue};
    std::u16string_view keyText = parameterText;
    if (type == AssignmentType::FireKey) {
        const std::size_t comma = parameterText.rfind(u',');
        const auto times = comma == std::u16string_view::npos
                               ? std::nullopt
                               : fireTimesOfWords(trimmed(parameterText.substr(comma + 1)));
        if (!times) {
            problem = typeName + u" needs " + parameterExamples(type) +
                      u"; the count is 1 to 127 times or until released";
            return std::nullopt;
        }
        assignment.fireTimes = *times;
        keyText = trimmed(parameterText.substr(0, comma));
    }
    const auto parameter = parameterOfWords(type, keyText);
    if (!parameter) {
        problem = typeName + u" needs " + parameterExamples(type);
        return std::nullopt;
    }
    assignment.parameter = *parameter;
    return assignment;
}

std::u16string byteWords(std::uint8_t value) {
    return std::u16string(kBytePrefix) + decimalText(value);
}

std::u16string_view trimmed(std::u16string_view text) {
    constexpr std::u16string_view kBlanks = u" \t";
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::u16string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

std::u16string ascii(std::string_view text) {
    return std::u16string(text.begin(), text.end());
}

std::string utf8(std::u16string_view text) {
    const std::vector<std::uint8_t> bytes =
        profile::encode({profile::Encoding::Utf8, std::u16string(text)});
    return std::string(bytes.begin(), bytes.end());
}

}  // namespace trv::readable
