#include "settings/profile_text.h"

#include <algorithm>
#include <map>
#include <optional>

#include "assign/assignment.h"
#include "assign/key_tables.h"
#include "config/ascii_case.h"
#include "config/profile_store.h"
#include "config/profile_store_text.h"
#include "lang/text_table.h"
#include "settings/profile_words.h"

namespace trv::readable {

namespace {

constexpr std::u16string_view kLineBreak = u"\r\n";
constexpr std::u16string_view kHeader =
    u"; TRV418 profile: the settings of config.bin and the button labels of str.ini.\r\n"
    u"; Import it with: trv418ctl import FILE. Keys left out keep their values;\r\n"
    u"; a value the program cannot set is written \"byte N\" and must be changed\r\n"
    u"; to one of the words before the profile imports.\r\n";

enum class KeyKind : std::uint8_t { Format, SensorType, Byte, Colour, Assignment, Label };

struct ProfileKey {
    std::u16string_view section;
    std::u16string name;
    KeyKind kind = KeyKind::Byte;
    WordKind words = WordKind::OnOff;  // with Byte
    std::size_t offset = 0;            // record offset (Byte, Colour) or button (Assignment, Label)
    Mode mode = Mode::A;               // with Assignment and Label
};

constexpr std::u16string_view kSections[] = {u"Profile", u"ReportRate", u"DPI",   u"Lighting",
                                             u"Buttons", u"ModeA",      u"ModeB", u"Pointer"};

std::u16string numbered(std::u16string_view head, std::size_t n, std::u16string_view tail = u"") {
    return std::u16string(head) + decimalText(static_cast<unsigned>(n)) + std::u16string(tail);
}

// Every key in the order export writes them.
std::vector<ProfileKey> makeKeys() {
    std::vector<ProfileKey> keys;
    auto byteKey = [&](std::u16string_view section, std::u16string name, WordKind words,
                       std::size_t offset) {
        keys.push_back({section, std::move(name), KeyKind::Byte, words, offset});
    };
    keys.push_back({u"Profile", u"Format", KeyKind::Format});
    byteKey(u"ReportRate", u"Rate", WordKind::ReportRate, rec::kReportRateCode);
    keys.push_back({u"DPI", u"SensorType", KeyKind::SensorType});
    for (std::size_t s = 1; s <= rec::kStages; ++s) {
        byteKey(u"DPI", numbered(u"Stage", s, u"Level"), WordKind::DpiLevel,
                rec::kStageLevel + s - 1);
        byteKey(u"DPI", numbered(u"Stage", s, u"Tick"), WordKind::OnOff,
                rec::kStageEnabled + s - 1);
        keys.push_back({u"DPI", numbered(u"Stage", s, u"Colour"), KeyKind::Colour, WordKind::OnOff,
                        rec::kStageColour + 3 * (s - 1)});
    }
    byteKey(u"Lighting", u"Mode", WordKind::LightMode, rec::kLightMode);
    byteKey(u"Lighting", u"Brightness", WordKind::Brightness, rec::kLightBrightness);
    byteKey(u"Lighting", u"RespirationSpeed", WordKind::Respiration, rec::kRespirationSpeed);
    byteKey(u"Lighting", u"RespirationEffect", WordKind::Effect, rec::kRespirationEffect);
    byteKey(u"Lighting", u"NeonPeriod", WordKind::NeonPeriod, rec::kNeonPeriod);
    byteKey(u"Lighting", u"StandardEffect", WordKind::Effect, rec::kStandardEffect);
    byteKey(u"Lighting", u"NeonEffect", WordKind::Effect, rec::kNeonEffect);
    byteKey(u"Buttons", u"ModeShown", WordKind::ModeShown, rec::kModeShown);
    byteKey(u"Buttons", u"FireMakeTime", WordKind::FireTime, rec::kFireMakeTime);
    byteKey(u"Buttons", u"FireBreakTime", WordKind::FireTime, rec::kFireBreakTime);
    for (Mode mode : {Mode::A, Mode::B}) {
        const std::u16string_view section = mode == Mode::A ? u"ModeA" : u"ModeB";
        for (std::size_t b = 1; b <= rec::kButtons; ++b) {
            keys.push_back(
                {section, numbered(u"Button", b), KeyKind::Assignment, WordKind::OnOff, b, mode});
        }
        byteKey(section, u"SnipeLevel", WordKind::DpiLevel,
                rec::kSnipeLevel + static_cast<std::size_t>(mode));
        for (std::size_t b = 1; b <= rec::kButtons; ++b) {
            keys.push_back(
                {section, numbered(u"Label", b), KeyKind::Label, WordKind::OnOff, b, mode});
        }
    }
    byteKey(u"Pointer", u"MouseSpeed", WordKind::SliderPos, rec::kPointerSpeedPos);
    byteKey(u"Pointer", u"EnhancePointerPrecision", WordKind::OnOff, rec::kPointerPrecision);
    byteKey(u"Pointer", u"ScrollingSpeed", WordKind::ScrollPos, rec::kScrollLinesPos);
    byteKey(u"Pointer", u"ScrollOneScreen", WordKind::OnOff, rec::kScrollOneScreen);
    byteKey(u"Pointer", u"DoubleClickSpeed", WordKind::SliderPos, rec::kDoubleClickPos);
    return keys;
}

const std::vector<ProfileKey>& profileKeys() {
    static const std::vector<ProfileKey> keys = makeKeys();
    return keys;
}

AssignmentBytes assignmentOf(const SettingsRecord& record, Mode mode, std::size_t button) {
    AssignmentBytes a{record.button(rec::kAssignType, mode, button)};
    if (a.type >= kAssignmentTypeCount) return a;
    if (const auto field = parameterField(static_cast<AssignmentType>(a.type))) {
        a.parameter = record.button(*field, mode, button);
    }
    if (static_cast<AssignmentType>(a.type) == AssignmentType::FireKey) {
        a.fireTimes = record.button(rec::kFireTimes, mode, button);
    }
    return a;
}

void setAssignment(SettingsRecord& record, Mode mode, std::size_t button,
                   const AssignmentBytes& a) {
    record.button(rec::kAssignType, mode, button) = a.type;
    if (a.type >= kAssignmentTypeCount) return;
    const auto type = static_cast<AssignmentType>(a.type);
    if (const auto field = parameterField(type)) record.button(*field, mode, button) = a.parameter;
    if (type != AssignmentType::FireKey) return;
    record.button(rec::kFireTimes, mode, button) = a.fireTimes;
    if (const auto position = fireKeyPositionOf(a.parameter)) {
        record.button(rec::kFireKeyIndex, mode, button) = static_cast<std::uint8_t>(*position);
    }
}

// What the profile reader trims from the ends of a value (line breaks cannot
// occur in one).
bool trimmedByReader(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\v' || c == u'\f' || c == 0x1A;
}

// Quotes keep what the reader would otherwise trim or take as quotes.
std::u16string quotedIfNeeded(const std::u16string& label) {
    const bool blankEnds =
        !label.empty() && (trimmedByReader(label.front()) || trimmedByReader(label.back()));
    const bool quoted = label.size() > 1 && (label.front() == u'"' || label.front() == u'\'') &&
                        label.back() == label.front();
    return blankEnds || quoted ? std::u16string(u"\"") + label + u'"' : label;
}

std::u16string valueWords(const ProfileKey& key, const SettingsRecord& record,
                          const ButtonLabels& labels, std::uint8_t sensorType) {
    switch (key.kind) {
        case KeyKind::Format:
            return decimalText(kProfileFormat);
        case KeyKind::SensorType:
            return decimalText(sensorType);
        case KeyKind::Byte:
            return wordsOf(key.words, sensorType, record[key.offset]);
        case KeyKind::Colour:
            return colourWords(
                {record[key.offset], record[key.offset + 1], record[key.offset + 2]});
        case KeyKind::Assignment:
            return assignmentWords(assignmentOf(record, key.mode, key.offset));
        case KeyKind::Label:
            return quotedIfNeeded(labels.of(key.mode, key.offset));
    }
    return {};
}

std::u16string quoted(std::u16string_view text) {
    std::u16string words(u"\"");
    words += text;
    words += u'"';
    return words;
}

// ---- Reading -----------------------------------------------------------------

struct GivenValue {
    const ProfileKey* key;
    std::u16string value;
    std::size_t line;
};

class Reader {
  public:
    Reader(const SettingsRecord& base, const ButtonLabels& baseLabels) : base_(base) {
        result_.record = base;
        result_.labels = baseLabels;
    }

    void take(const profile::Entry& entry) {
        if (entry.kind == profile::Entry::Kind::Section) {
            takeSection(entry);
        } else if (entry.kind == profile::Entry::Kind::Key) {
            takeKey(entry);
        }
    }

    ImportedProfile finish() {
        const std::uint8_t sensorType = readHead();
        for (const GivenValue& given : given_) {
            if (given.key->kind != KeyKind::Format && given.key->kind != KeyKind::SensorType) {
                set(given, sensorType);
            }
        }
        checkLeftClick(Mode::A);
        checkLeftClick(Mode::B);
        std::stable_sort(result_.problems.begin(), result_.problems.end(),
                         [](const auto& a, const auto& b) { return a.line < b.line; });
        return std::move(result_);
    }

  private:
    void problem(std::size_t line, std::u16string text) {
        result_.problems.push_back({line, std::move(text)});
    }

    void takeSection(const profile::Entry& entry) {
        section_.reset();
        const auto known = std::find_if(std::begin(kSections), std::end(kSections), [&](auto s) {
            return sameIgnoringAsciiCase(s, entry.name);
        });
        if (known == std::end(kSections)) {
            std::u16string list;
            for (auto s : kSections) {
                list += u" [";
                list += s;
                list += u']';
            }
            problem(entry.line, u"unknown section [" + entry.name + u"]; the sections are" + list);
            inUnknownSection_ = true;
            return;
        }
        inUnknownSection_ = false;
        const auto [seen, first] = sectionLines_.try_emplace(*known, entry.line);
        if (!first) {
            problem(entry.line, u"section [" + std::u16string(*known) +
                                    u"] already began on line " + decimalText(seen->second));
            inUnknownSection_ = true;  // its keys are not read twice
            return;
        }
        section_ = *known;
    }

    void takeKey(const profile::Entry& entry) {
        if (entry.name.starts_with(u';') || entry.name.starts_with(u'#')) return;
        if (inUnknownSection_) return;  // told once, at the section
        if (!entry.value) {
            problem(entry.line, u"not a key=value line: " + quoted(entry.name));
            return;
        }
        if (!section_) {
            problem(entry.line, u"key " + entry.name + u" comes before any section");
            return;
        }
        const auto& keys = profileKeys();
        const auto key = std::find_if(keys.begin(), keys.end(), [&](const ProfileKey& k) {
            return k.section == *section_ && sameIgnoringAsciiCase(k.name, entry.name);
        });
        if (key == keys.end()) {
            problem(entry.line,
                    u"unknown key " + entry.name + u" in [" + std::u16string(*section_) + u"]");
            return;
        }
        const auto [seen, first] = keyLines_.try_emplace(&*key, entry.line);
        if (!first) {
            problem(entry.line,
                    key->name + u" is already set on line " + decimalText(seen->second));
            return;
        }
        given_.push_back({&*key, *entry.value, entry.line});
    }

    const GivenValue* givenOf(KeyKind kind) const {
        for (const GivenValue& g : given_) {
            if (g.key->kind == kind) return &g;
        }
        return nullptr;
    }

    // The format, and the sensor type the DPI labels are read by.
    std::uint8_t readHead() {
        if (const GivenValue* format = givenOf(KeyKind::Format)) {
            if (format->value != decimalText(kProfileFormat)) {
                problem(format->line, u"format " + quoted(format->value) +
                                          u" is not one this tool reads; it reads format " +
                                          decimalText(kProfileFormat));
            }
        } else {
            problem(0, u"no Format=" + decimalText(kProfileFormat) +
                           u" in [Profile]: not a profile of trv418ctl");
        }
        const GivenValue* sensor = givenOf(KeyKind::SensorType);
        if (sensor == nullptr) return 0;
        for (std::uint8_t type : {0, 1}) {
            if (sensor->value == decimalText(type)) return type;
        }
        problem(sensor->line, u"SensorType takes 0 or 1, not " + quoted(sensor->value));
        return 0;
    }

    void set(const GivenValue& given, std::uint8_t sensorType) {
        const ProfileKey& key = *given.key;
        SettingsRecord& record = result_.record;
        switch (key.kind) {
            case KeyKind::Byte:
                if (auto v = valueOfWords(key.words, sensorType, given.value)) {
                    record[key.offset] = *v;
                } else {
                    problem(given.line, key.name + u": " + quoted(given.value) +
                                            u" is not one of " + wordsTaken(key.words, sensorType));
                }
                break;
            case KeyKind::Colour:
                if (auto c = colourOfWords(given.value)) {
                    record[key.offset] = c->red;
                    record[key.offset + 1] = c->green;
                    record[key.offset + 2] = c->blue;
                } else {
                    problem(given.line, key.name + u": " + quoted(given.value) +
                                            u" is not a colour written #RRGGBB");
                }
                break;
            case KeyKind::Assignment: {
                std::u16string why;
                if (auto a = assignmentOfWords(given.value, why)) {
                    setAssignment(record, key.mode, key.offset, *a);
                } else {
                    problem(given.line, key.name + u": " + why);
                }
                break;
            }
            case KeyKind::Label:
                if (given.value.size() > ProfileStore::kMaxValueLength) {
                    problem(given.line, key.name + u": a label holds at most " +
                                            decimalText(ProfileStore::kMaxValueLength) +
                                            u" characters");
                    break;
                }
                result_.labels.of(key.mode, key.offset) = given.value;
                result_.labelsGiven = true;
                break;
            case KeyKind::Format:
            case KeyKind::SensorType:
                break;
        }
    }

    static bool hasLeftClick(const SettingsRecord& record, Mode mode) {
        for (std::size_t b = 1; b <= rec::kButtons; ++b) {
            if (record.button(rec::kAssignType, mode, b) ==
                static_cast<std::uint8_t>(AssignmentType::LeftClick)) {
                return true;
            }
        }
        return false;
    }

    // Without a Left Click in a mode the mouse has no left button there; as
    // on the page, the last one cannot be taken away. A mode that had none
    // stays as it was, so a profile exported from it still reads back.
    void checkLeftClick(Mode mode) {
        if (!hasLeftClick(base_, mode) || hasLeftClick(result_.record, mode)) return;
        const std::u16string_view section = mode == Mode::A ? u"ModeA" : u"ModeB";
        const auto at = sectionLines_.find(section);
        problem(at == sectionLines_.end() ? 0 : at->second,
                u"no button of [" + std::u16string(section) +
                    u"] is a Left Click: the mouse would have no left button in that mode");
    }

    const SettingsRecord& base_;
    ImportedProfile result_;
    std::optional<std::u16string_view> section_;
    bool inUnknownSection_ = false;
    std::map<std::u16string_view, std::size_t> sectionLines_;
    std::map<const ProfileKey*, std::size_t> keyLines_;
    std::vector<GivenValue> given_;
};

}  // namespace

std::u16string exportProfile(const SettingsRecord& record, const ButtonLabels& labels,
                             std::uint8_t sensorType) {
    std::u16string text(kHeader);
    std::u16string_view section;
    for (const ProfileKey& key : profileKeys()) {
        if (key.section != section) {
            section = key.section;
            text += kLineBreak;
            text += u'[';
            text += section;
            text += u']';
            text += kLineBreak;
        }
        text += key.name + u"=" + valueWords(key, record, labels, sensorType);
        text += kLineBreak;
    }
    return text;
}

ImportedProfile importProfile(std::u16string_view text, const SettingsRecord& base,
                              const ButtonLabels& baseLabels) {
    Reader reader(base, baseLabels);
    for (const profile::Entry& entry : profile::entries(text)) reader.take(entry);
    return reader.finish();
}

}  // namespace trv::readable
