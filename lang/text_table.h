#pragma once
// The user-visible texts of the main window, the notification icon and the
// message boxes, in the four interface languages. The rows are fixed in the
// program; str.ini only names the language.

#include <cstdint>
#include <string>
#include <string_view>

namespace trv {

enum class Language : std::uint8_t { English, SimplifiedChinese, TraditionalChinese, Bulgarian };

// "CHS", "CHT" and "BUL" compared exactly (case matters); anything else is English.
Language languageFromCode(std::u16string_view code);

// clang-format off
enum class TextId : std::uint8_t {
    // Captions of the main window's text buttons.
    Ok, Apply, Cancel, Default,
    // Assignment list entries and default labels.
    LeftClick, RightClick, MidClick, Forward, Backward, DpiSwitch, Shift, Windows, Multimedia,
    HotKey, FireKey, SingleKey, SnipeKey, KeyOff,
    LButtonSuffix,  // "-L-Button", appended to FireKey for a default label
    LeftKeyMustBeSelected,
    // Section titles and box captions.
    ReportRateSetting, DpiSetting, DpiEffect, Mode, Parameter, Effect,
    // Lighting modes and effects.
    OffMode, StandardMode, RespirationMode, NeonMode,
    NonDisolay, RgbEffect, RgbFlash, RgbFixedOn,
    // Pointer settings.
    MouseSpeed, ScrollingSpeed, DoubleClickSpeed, EnhancePointerPrecision, ScrollOneScreen,
    WebLink,
    // Balloons.
    ReportRate1000, ReportRate500, ReportRate250, ReportRate125,
    DpiStage1, DpiStage2, DpiStage3, DpiStage4,
    KeyMatrix1, KeyMatrix2, MacroKey,
    MouseDetected, MouseNotDetected,
    SeveralMiceDetected,  // more than one mouse of the model: the first one is set
    SettingsChangedOutside,  // another program changed the mouse, config.bin or str.ini
    // The question when that happens with unapplied changes on the page.
    SettingsChangedQuestion, SettingsChangedCaption,
    // The notification icon's menu.
    Exit,
    // The str.ini section that holds this language's button labels.
    SettingsSection,
    // The message of a start that failed: the failed call and its error number follow.
    StartFailed, FailedCall, ErrorCode,
    // Profiles and backups: the notification icon's menu, its file dialogs'
    // filters, the name a new profile is offered, then balloons, questions and
    // messages, in which "%1" stands for a profile's name or a file's.
    ProfilesMenu, NoProfiles, SaveProfileAs, OpenProfilesFolder, BackUp, Restore,
    ProfileFilter, BackupFilter, NewProfileName,
    ProfileApplied, ProfileRefused, ProfileSaved, DropChangesForProfile, ApplyBeforeSaving,
    BackedUp, Restored, RestoredBlockOnly, NotABackup, BackupOfOtherMouse, DropChangesForBackup,
    FileNotWritten, FileNotRead, BackupNotProfile,
    // The page's controls as screen readers name them ("%1", "%2": numbers
    // filled in), and the actions they offer.
    PageButton, StageName, StageColourName, Minimise, Close, SliderPosition,
    ActionPress, ActionOpen, ActionCheck, ActionUncheck, ActionJump,
    // The single-key dialog: its key field takes every key, and how to leave it.
    SingleKeyHint,
    Count
};
// clang-format on

// The row's text in the given language; never empty for a row of the table.
// A language value outside the four reads as English; an id outside the table
// gives an empty text.
std::u16string_view text(Language language, TextId id);

// A whole number as the texts write it: ASCII digits, a minus sign if negative.
std::u16string decimalText(long long value);

// The row's text with its "%1" and "%2" replaced by `first` and `second`.
std::u16string filledText(Language language, TextId id, std::u16string_view first,
                          std::u16string_view second = {});

// The page's link opens the user guide that ships beside the program (the
// WebLink row names its file); this is what the link reads.
std::u16string_view guideLinkText(Language language);

}  // namespace trv
