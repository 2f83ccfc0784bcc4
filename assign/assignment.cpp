#include "assign/assignment.h"

#include <algorithm>

#include "assign/key_tables.h"
#include "assign/scan_codes.h"
#include "config/config_block.h"

namespace trv {

namespace {

constexpr std::array<TextId, kAssignmentTypeCount> kListTexts{
    TextId::LeftClick, TextId::RightClick, TextId::MidClick,   TextId::Forward, TextId::Backward,
    TextId::DpiSwitch, TextId::Windows,    TextId::Multimedia, TextId::HotKey,  TextId::FireKey,
    TextId::SingleKey, TextId::SnipeKey,   TextId::KeyOff,     TextId::Shift,
};

// Codes of the mouse's own buttons; "Forward" is button 5 and "Backward"
// button 4, against the list order.
namespace code {
constexpr std::uint8_t kNothing = 0x00;
constexpr std::uint8_t kLeftButton = 0xF0;
constexpr std::uint8_t kRightButton = 0xF1;
constexpr std::uint8_t kMiddleButton = 0xF2;
constexpr std::uint8_t kButton4 = 0xF3;
constexpr std::uint8_t kButton5 = 0xF4;
constexpr std::uint8_t kShift = 0x06;
constexpr std::uint8_t kSnipe = 0x0A;
// Function-table entries: multimedia 0x00.., Windows 0x07.., hot keys 0x10...
constexpr std::uint8_t kFirstWindowsFunction = 0x07;
constexpr std::uint8_t kFirstHotKey = 0x10;
}  // namespace code

struct DpiSwitchItem {
    std::u16string_view text;
    std::uint8_t code;
};

constexpr std::array<DpiSwitchItem, kDpiSwitchItemCount> kDpiSwitchItems{{
    {u"DPI +", dpi_switch::kUp},
    {u"DPI -", dpi_switch::kDown},
    {u"DPI Loop", dpi_switch::kLoop},
}};

// Factory assignment of buttons 1..8, the same in both modes.
constexpr std::array<AssignmentType, rec::kButtons> kDefaultTypes{
    AssignmentType::LeftClick, AssignmentType::RightClick, AssignmentType::MidClick,
    AssignmentType::Forward,   AssignmentType::Backward,   AssignmentType::DpiSwitch,
    AssignmentType::FireKey,   AssignmentType::KeyOff,
};
constexpr std::size_t kDefaultDpiSwitchButton = 6;
constexpr std::u16string_view kLabelJoin = u"-";

std::uint8_t wrapped(unsigned value) {
    return static_cast<std::uint8_t>(value & 0xFFu);
}

std::u16string joined(std::u16string_view head, std::u16string_view tail) {
    std::u16string label(head);
    label += tail;
    return label;
}

std::u16string dashed(Language language, TextId head, std::u16string_view tail) {
    return joined(joined(text(language, head), kLabelJoin), tail);
}

}  // namespace

std::u16string_view assignmentListText(Language language, AssignmentType type) {
    const auto value = static_cast<std::size_t>(type);
    if (value >= kAssignmentTypeCount) return {};
    return text(language, kListTexts[value]);
}

std::array<std::u16string_view, kAssignmentTypeCount> assignmentListItems(Language language) {
    std::array<std::u16string_view, kAssignmentTypeCount> items{};
    for (std::size_t i = 0; i < kAssignmentTypeCount; ++i) {
        items[i] = text(language, kListTexts[i]);
    }
    return items;
}

AssignmentPair encodeAssignment(const SettingsRecord& record, Mode mode, std::size_t button) {
    if (button < 1 || button > rec::kButtons) return {};
    auto field = [&](std::size_t offset) { return record.button(offset, mode, button); };
    switch (static_cast<AssignmentType>(field(rec::kAssignType))) {
        case AssignmentType::LeftClick:
            return {code::kLeftButton, pair_class::kButtonOrKey};
        case AssignmentType::RightClick:
            return {code::kRightButton, pair_class::kButtonOrKey};
        case AssignmentType::MidClick:
            return {code::kMiddleButton, pair_class::kButtonOrKey};
        case AssignmentType::Forward:
            return {code::kButton5, pair_class::kButtonOrKey};
        case AssignmentType::Backward:
            return {code::kButton4, pair_class::kButtonOrKey};
        case AssignmentType::DpiSwitch:
            return {field(rec::kDpiSwitchCode), pair_class::kSpecial};
        case AssignmentType::Windows:
            return {wrapped(field(rec::kWindowsCode) + code::kFirstWindowsFunction),
                    pair_class::kFunction};
        case AssignmentType::Multimedia:
            return {field(rec::kMediaCode), pair_class::kFunction};
        case AssignmentType::HotKey:
            return {wrapped(field(rec::kHotKeyIndex) + code::kFirstHotKey), pair_class::kFunction};
        case AssignmentType::FireKey: {
            // A count the mouse cannot hold must not spill out of the fire-key
            // class into another one: it goes out as the most it can hold.
            const std::uint8_t times = std::min(field(rec::kFireTimes), kMaxFireTimes);
            return {field(rec::kFireKeyUsage), wrapped(pair_class::kFireKey + times)};
        }
        case AssignmentType::SingleKey:
            return {field(rec::kSingleKeyUsage), pair_class::kButtonOrKey};
        case AssignmentType::SnipeKey:
            return {code::kSnipe, pair_class::kSpecial};
        case AssignmentType::KeyOff:
            return {code::kNothing, pair_class::kButtonOrKey};
        case AssignmentType::Shift:
            return {code::kShift, pair_class::kSpecial};
    }
    return {};
}

std::size_t pairOffset(Mode mode, std::size_t button) {
    TRV_EXPECTS(button >= 1 && button <= block::kPairCount);
    std::size_t slot = button;
    if (mode == Mode::B && button == 4) slot = 5;
    if (mode == Mode::B && button == 5) slot = 4;
    const std::size_t first = mode == Mode::A ? block::kModeAPairs : block::kModeBPairs;
    return first + 2 * (slot - 1);
}

namespace {

// A single key is sent by its scan code's usage, or when its position sends
// nothing by its name's.
bool isSingleKeyUsage(std::uint8_t usage) {
    for (std::size_t row = 0; row < kKeyNameCount; ++row) {
        if (keyNameToUsage(keyNameAt(row)) == usage) return true;
    }
    constexpr std::uint32_t kScanCodes = 0x100;
    constexpr std::uint32_t kExtendedKey = 1u << 24;
    for (std::uint32_t scanCode = 0; scanCode < kScanCodes; ++scanCode) {
        for (std::uint32_t extended : {0u, kExtendedKey}) {
            if (scanCodeToUsage((scanCode << 16) | extended) == usage) return true;
        }
    }
    return false;
}

std::optional<Assignment> decodeButtonOrKey(std::uint8_t c) {
    switch (c) {
        case code::kLeftButton:
            return Assignment{AssignmentType::LeftClick};
        case code::kRightButton:
            return Assignment{AssignmentType::RightClick};
        case code::kMiddleButton:
            return Assignment{AssignmentType::MidClick};
        case code::kButton5:
            return Assignment{AssignmentType::Forward};
        case code::kButton4:
            return Assignment{AssignmentType::Backward};
        case code::kNothing:
            return Assignment{AssignmentType::KeyOff};
        default:
            break;
    }
    if (!isSingleKeyUsage(c)) return std::nullopt;
    return Assignment{AssignmentType::SingleKey, c};
}

std::optional<Assignment> decodeFunction(std::uint8_t c) {
    if (c < code::kFirstWindowsFunction) return Assignment{AssignmentType::Multimedia, c};
    if (c < code::kFirstHotKey) {
        return Assignment{AssignmentType::Windows, wrapped(c - code::kFirstWindowsFunction)};
    }
    if (c < code::kFirstHotKey + block::kHotKeyEntries) {
        return Assignment{AssignmentType::HotKey, wrapped(c - code::kFirstHotKey)};
    }
    return std::nullopt;
}

std::optional<Assignment> decodeSpecial(std::uint8_t c) {
    switch (c) {
        case dpi_switch::kUp:
        case dpi_switch::kDown:
        case dpi_switch::kLoop:
            return Assignment{AssignmentType::DpiSwitch, c};
        case code::kShift:
            return Assignment{AssignmentType::Shift};
        case code::kSnipe:
            return Assignment{AssignmentType::SnipeKey};
        default:
            return std::nullopt;
    }
}

}  // namespace

std::optional<Assignment> decodeAssignment(AssignmentPair pair) {
    if (pair.parameter >= pair_class::kFireKey) {
        if (!fireKeyPositionOf(pair.code)) return std::nullopt;
        return Assignment{AssignmentType::FireKey, pair.code,
                          wrapped(pair.parameter - pair_class::kFireKey)};
    }
    switch (pair.parameter) {
        case pair_class::kButtonOrKey:
            return decodeButtonOrKey(pair.code);
        case pair_class::kFunction:
            return decodeFunction(pair.code);
        case pair_class::kSpecial:
            return decodeSpecial(pair.code);
        default:
            return std::nullopt;
    }
}

std::optional<std::size_t> parameterField(AssignmentType type) {
    switch (type) {
        case AssignmentType::DpiSwitch:
            return rec::kDpiSwitchCode;
        case AssignmentType::Windows:
            return rec::kWindowsCode;
        case AssignmentType::Multimedia:
            return rec::kMediaCode;
        case AssignmentType::HotKey:
            return rec::kHotKeyIndex;
        case AssignmentType::FireKey:
            return rec::kFireKeyUsage;
        case AssignmentType::SingleKey:
            return rec::kSingleKeyUsage;
        default:
            return std::nullopt;
    }
}

std::u16string_view dpiSwitchItemText(std::size_t item) {
    return item < kDpiSwitchItems.size() ? kDpiSwitchItems[item].text : std::u16string_view{};
}

std::uint8_t dpiSwitchCodeOfItem(std::size_t item) {
    return item < kDpiSwitchItems.size() ? kDpiSwitchItems[item].code : 0;
}

std::u16string listItemLabel(Language language, AssignmentType type) {
    return std::u16string(assignmentListText(language, type));
}

std::u16string dpiSwitchLabel(std::uint8_t dpiSwitchCode) {
    for (const DpiSwitchItem& item : kDpiSwitchItems) {
        if (item.code == dpiSwitchCode) return std::u16string(item.text);
    }
    return {};
}

std::u16string multimediaLabel(Language language, std::u16string_view functionText) {
    return dashed(language, TextId::Multimedia, functionText);
}

std::u16string fireKeyLabel(Language language, std::u16string_view keyText) {
    return dashed(language, TextId::FireKey, keyText);
}

std::u16string singleKeyLabel(Language language, std::u16string_view keyName) {
    return dashed(language, TextId::SingleKey, keyName);
}

void setDefaultLabels(ButtonLabels& labels, Language language) {
    for (Mode mode : {Mode::A, Mode::B}) {
        for (std::size_t b = 1; b <= rec::kButtons; ++b) {
            const AssignmentType type = kDefaultTypes[b - 1];
            std::u16string label;
            if (type == AssignmentType::DpiSwitch) {
                label = dpiSwitchLabel(dpi_switch::kLoop);
            } else if (type == AssignmentType::FireKey) {
                label =
                    joined(text(language, TextId::FireKey), text(language, TextId::LButtonSuffix));
            } else {
                label = listItemLabel(language, type);
            }
            labels.of(mode, b) = std::move(label);
        }
    }
}

void restoreDefaultAssignments(SettingsRecord& record, ButtonLabels& labels, Language language) {
    for (Mode mode : {Mode::A, Mode::B}) {
        for (std::size_t b = 1; b <= rec::kButtons; ++b) {
            record.button(rec::kAssignType, mode, b) =
                static_cast<std::uint8_t>(kDefaultTypes[b - 1]);
        }
        record.button(rec::kDpiSwitchCode, mode, kDefaultDpiSwitchButton) = dpi_switch::kLoop;
    }
    setDefaultLabels(labels, language);
}

}  // namespace trv
