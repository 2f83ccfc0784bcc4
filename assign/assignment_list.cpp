#include "assign/assignment_list.h"

#include "assign/key_tables.h"
#include "assign/scan_codes.h"

namespace trv {

namespace {

constexpr std::u16string_view kWarningCaption = u"Warning";

std::size_t index(int button) {
    return static_cast<std::size_t>(button);
}

AssignmentType typeOf(const SettingsRecord& record, Mode mode, int button) {
    return static_cast<AssignmentType>(record.button(rec::kAssignType, mode, index(button)));
}

void setType(SettingsRecord& record, Mode mode, int button, AssignmentType type) {
    record.button(rec::kAssignType, mode, index(button)) = static_cast<std::uint8_t>(type);
}

bool anyButtonHolds(const SettingsRecord& record, Mode mode, AssignmentType type, int except) {
    for (int b = 1; b <= static_cast<int>(rec::kButtons); ++b) {
        if (b != except && typeOf(record, mode, b) == type) return true;
    }
    return false;
}

Mode otherMode(Mode mode) {
    return mode == Mode::A ? Mode::B : Mode::A;
}

// Whether giving the button a new type in this mode takes away the mode's
// only Left Click: the mouse would have no primary button in that mode.
bool takesLastLeftClick(const SettingsRecord& record, Mode mode, int button,
                        AssignmentType newType) {
    return newType != AssignmentType::LeftClick &&
           typeOf(record, mode, button) == AssignmentType::LeftClick &&
           !anyButtonHolds(record, mode, AssignmentType::LeftClick, button);
}

// A button on Shift holds it in both modes, so a new type replaces it in both.
bool changesBothModes(const SettingsRecord& record, Mode shown, int button, AssignmentType type) {
    return type == AssignmentType::Shift || typeOf(record, shown, button) == AssignmentType::Shift;
}

struct Accepted {
    std::u16string label;
};

// Runs the type's dialog, if it has one, and stores what it returns in the
// shown mode's fields of the button. Nothing when the dialog was left without OK.
std::optional<Accepted> takeChoice(SettingsRecord& record, Language language, Mode shown,
                                   int button, AssignmentType type, AssignmentDialogs& dialogs) {
    auto field = [&](std::size_t offset) -> std::uint8_t& {
        return record.button(offset, shown, index(button));
    };
    switch (type) {
        case AssignmentType::Windows: {
            const std::optional<WindowsChoice> choice = dialogs.windowsFunction();
            if (!choice) return std::nullopt;
            field(rec::kWindowsCode) = choice->index;
            return Accepted{choice->text};
        }
        case AssignmentType::Multimedia: {
            const std::optional<MediaChoice> choice = dialogs.multimedia();
            if (!choice) return std::nullopt;
            field(rec::kMediaCode) = choice->index;
            return Accepted{multimediaLabel(language, choice->text)};
        }
        case AssignmentType::HotKey: {
            const std::optional<HotKeyChoice> choice = dialogs.hotKey();
            if (!choice) return std::nullopt;
            field(rec::kHotKeyIndex) = choice->index;
            return Accepted{choice->text};
        }
        case AssignmentType::FireKey: {
            const std::optional<FireKeyChoice> choice = dialogs.fireKey();
            if (!choice) return std::nullopt;
            field(rec::kFireKeyIndex) = choice->keyPosition;
            field(rec::kFireKeyUsage) = fireKeyUsageOf(choice->keyPosition);
            field(rec::kFireTimes) = choice->repeatCount;
            // One timing for every fire key of both modes.
            record[rec::kFireMakeTime] = choice->makeTime;
            record[rec::kFireBreakTime] = choice->breakTime;
            return Accepted{fireKeyLabel(language, choice->keyText)};
        }
        case AssignmentType::SingleKey: {
            const std::optional<SingleKeyChoice> choice = dialogs.singleKey();
            if (!choice) return std::nullopt;
            field(rec::kSingleKeyUsage) = singleKeyUsage(choice->keyName, choice->keyData);
            return Accepted{singleKeyLabel(language, choice->keyName)};
        }
        case AssignmentType::SnipeKey: {
            std::uint8_t& level = record[rec::kSnipeLevel + static_cast<std::size_t>(shown)];
            const std::optional<SnipeChoice> choice = dialogs.snipe(level);
            if (!choice) return std::nullopt;
            level = choice->level;
            return Accepted{listItemLabel(language, type)};
        }
        default:
            return Accepted{listItemLabel(language, type)};
    }
}

}  // namespace

AssignmentMessage leftKeyWarning(Language language) {
    return {text(language, TextId::LeftKeyMustBeSelected), kWarningCaption};
}

bool mayOpenAssignmentList(const SettingsRecord& record, Mode shown, int button) {
    return !(typeOf(record, shown, button) == AssignmentType::LeftClick &&
             !anyButtonHolds(record, shown, AssignmentType::LeftClick, button));
}

CommitOutcome commitAssignment(SettingsRecord& record, ButtonLabels& labels, Language language,
                               Mode shown, int button, int listIndex, AssignmentDialogs& dialogs) {
    if (listIndex < 0 || listIndex >= static_cast<int>(kAssignmentTypeCount)) return {};
    const auto type = static_cast<AssignmentType>(listIndex);
    if (type == AssignmentType::DpiSwitch) return {};

    CommitOutcome outcome;
    outcome.listCloses = true;
    if (type == AssignmentType::Shift &&
        anyButtonHolds(record, shown, AssignmentType::Shift, /*except=*/0)) {
        return outcome;
    }
    const bool bothModes = changesBothModes(record, shown, button, type);
    if (takesLastLeftClick(record, shown, button, type) ||
        (bothModes && takesLastLeftClick(record, otherMode(shown), button, type))) {
        outcome.message = leftKeyWarning(language);
        return outcome;
    }

    std::optional<Accepted> accepted = takeChoice(record, language, shown, button, type, dialogs);
    if (!accepted) return outcome;

    setType(record, shown, button, type);
    labels.of(shown, index(button)) = accepted->label;
    if (bothModes) {
        setType(record, otherMode(shown), button, type);
        labels.of(otherMode(shown), index(button)) = accepted->label;
    }
    outcome.changed = true;
    return outcome;
}

CommitOutcome commitFromList(OpenAssignmentList& open, SettingsRecord& record, ButtonLabels& labels,
                             Language language, Mode shown, int button, int listIndex,
                             AssignmentDialogs& dialogs) {
    if (!open.isOpen(button)) return {};
    const bool staysOpen = listIndex < 0 || listIndex >= static_cast<int>(kAssignmentTypeCount) ||
                           listIndex == static_cast<int>(AssignmentType::DpiSwitch);
    if (!staysOpen) open.close();
    return commitAssignment(record, labels, language, shown, button, listIndex, dialogs);
}

std::optional<int> commitDpiSubList(OpenAssignmentList& open, SettingsRecord& record,
                                    ButtonLabels& labels, Mode shown, int item) {
    const std::optional<int> button = open.button();
    if (!button || item < 0 || item >= static_cast<int>(kDpiSwitchItemCount)) return std::nullopt;
    const auto chosen = static_cast<std::size_t>(item);
    labels.of(shown, index(*button)) = std::u16string(dpiSwitchItemText(chosen));
    setType(record, shown, *button, AssignmentType::DpiSwitch);
    record.button(rec::kDpiSwitchCode, shown, index(*button)) = dpiSwitchCodeOfItem(chosen);
    open.close();
    return button;
}

}  // namespace trv
