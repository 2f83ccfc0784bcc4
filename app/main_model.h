#pragma once
// The main window's model: what only the window needs (the page's life, its
// open lists and hover marks, the lighting texts, the device notifications
// that wait) over the settings core, which owns the mouse and the user's
// settings, and the operations that start-up, the notification icon, device
// notifications and the page run on them. The main window only carries window
// messages in and draws what the model asks for; every rule of what happens
// lives here and below.

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/page_life.h"
#include "app/window_port.h"
#include "assign/assignment_list.h"
#include "lang/text_table.h"
#include "perf/dpi.h"
#include "perf/lighting.h"
#include "settings/settings_core.h"
#include "ui/canvas.h"
#include "ui/page_access.h"
#include "ui/page_draw.h"
#include "ui/page_focus.h"
#include "ui/page_hover.h"
#include "ui/page_press.h"
#include "ui/page_redraw.h"
#include "ui/page_state.h"

namespace trv {

// A drop-down list the window is to create as a child list box.
struct ListToOpen {
    ui::ListId id = ui::ListId::LightMode;
    ui::Rect rect;
    std::vector<std::u16string> items;
};

// What a left-button press on the main window leads to, for the window to
// carry out in this order: close lists, redraw, open a list or run a dialog,
// then hide, exit, open the guide or drag.
struct PressOutcome {
    std::vector<ui::ListId> closeLists;
    ui::Redraw redraw;
    std::optional<ListToOpen> openList;
    int chooseColourOfStage = 0;  // 1..4: run the colour dialog for it
    bool hide = false;
    bool exit = false;
    bool openGuide = false;
    bool drag = false;
};

// What a key on the main window leads to: the press it made, carried out as
// the pointer's (it never drags the window), then the steps that only the
// window's lists can take (a selection that moves, a choice).
struct KeyOutcome {
    PressOutcome press;
    std::vector<ui::KeyStep> listSteps;
};

// What OK or Apply did to the mouse and to config.bin, for callers that must
// know without reading the messages the model showed.
struct ApplyOutcome {
    TransferResult written;
    SettingsFileResult configBin;
};

// What the model reaches the outside world through.
struct ModelServices {
    HidSystem& hid;
    Clock& clock;
    WindowPort& window;
    SettingsFileSystem& files;
    ProfileStore& strIni;
    SystemPointer& pointer;
    std::function<std::int64_t()> secondsSinceEpoch;  // UTC, for a backup's date
};

// The notification icon's Profiles submenu.
struct ProfileMenu {
    std::vector<std::u16string> names;  // sorted
    // The profile last applied (or saved), while the settings are still what
    // it made them.
    std::optional<std::size_t> checked;
};

class MainWindowModel {
  public:
    // `paths`: where config.bin, str.ini and the skins are, made once from the
    // executable's folder.
    MainWindowModel(const ModelServices& services, SettingsFilePaths paths);

    // The main window's initialisation from the device on: find and read the
    // mouse, register for notifications, load config.bin, choose the
    // language, read str.ini, load the skin and fonts, and build the page
    // when the mouse is there. A failed registration ends it after its
    // message, with nothing loaded. Returns whether it ran to the end.
    bool startUp();

    // A left click (or double click) on the notification icon. Returns whether
    // the window is to be shown.
    bool trayClick();

    // A device notification, already read from the broadcast. One that
    // arrives while a device operation or its message is under way waits and
    // is counted when that operation has returned.
    void deviceChange(std::uint32_t eventType, std::uint32_t deviceType,
                      std::u16string_view interfaceName);

    // OK or Apply: with the mouse present and the settings loaded, applies,
    // renews the saved copy and sets the system's pointer settings. Returns
    // nothing when nothing happened; OK then hides the window, Apply leaves it.
    std::optional<ApplyOutcome> confirm();
    // Cancel: back to the saved copy; the next icon click rebuilds the page.
    void restoreSettings();

    // The settings were changed by another program (trv418ctl): everything is
    // loaded and read again as after an arrival, and a built page is built
    // anew, unless the user keeps the page's unapplied changes.
    void settingsChangedOutside();
    // Around a dialog or list choice the window runs over the page. True when
    // a change from outside waited for it: the window is to deliver it anew
    // once its own handler has returned.
    void modalStarted();
    bool modalEnded();

    void closeDevice() { core_.closeChannels(); }

    // --- Profiles and backups, from the notification icon's menu ---------
    ProfileMenu profileMenu();
    // A profile from the menu, checked as `trv418ctl import` checks it and
    // applied as OK applies: mouse, config.bin, labels, pointer settings. A
    // profile with a problem changes nothing; the balloon names the line.
    void applyProfile(const std::u16string& name);
    // The applied settings into a profile file the user names.
    void saveProfileAs();
    // The profiles folder, made when missing; nothing when it cannot be.
    std::optional<std::u16string> profilesFolderToOpen();
    // The whole configuration to a file, and back.
    void backUp();
    void restoreBackup();

    // The pointer on the main window.
    PressOutcome press(int x, int y);
    ui::PointerMove pointerMoved(int x, int y);
    ui::Redraw pointerHovered(int x, int y);
    // A selection in an open lighting list (negative: none). When something
    // was chosen the list is to be destroyed and `redraw` drawn.
    bool chooseFromList(ui::ListId list, int selection, ui::Redraw& redraw);
    const ui::OpenLists& openLists() const { return lists_; }

    // A selection (negative: none) in the open assignment list of a button
    // 1..7: the assignment, with its detail dialog where it has one. Returns
    // whether the list (and the DPI sub-list) is to close; `redraw` gets the
    // button's box when it changed.
    bool chooseAssignment(int button, int selection, AssignmentDialogs& dialogs,
                          ui::Redraw& redraw);
    // The pointer over item `item` of the button's open list: the DPI
    // sub-list shows beside "DPI Switch" and goes with any other item.
    // Returns whether it is to be shown (true) or gone (false) now.
    bool hoverAssignmentItem(int button, int item);
    // A choice in the DPI sub-list: the button whose list closes, its box
    // redrawn; nothing when no assignment list is open.
    std::optional<int> chooseDpiStep(int item, ui::Redraw& redraw);

    // A key of the page's keyboard. `list` is the open list the keys act on
    // (the one keyList() names, when the window has it open), `subListShown`
    // whether the DPI sub-list is shown.
    KeyOutcome key(ui::Key key, const std::optional<ui::OpenListKeys>& list, bool subListShown);
    std::optional<ui::ListId> keyList() const;
    // A screen reader's default action on a control: the focus goes there, as
    // with a press, and the control's Space key runs (a box's list toggles).
    KeyOutcome activate(int stop);
    // A screen reader moves the focus; the redraw moves a shown mark.
    ui::Redraw focusOn(int stop);
    const ui::PageFocus& focus() const { return focus_; }
    // A page control as screen readers meet it; `windowFocused`: whether the
    // window holds the keyboard focus, without which no control has it.
    ui::AccessibleControl accessibleControl(int stop, bool windowFocused) const {
        return ui::describeControl(stop, pageView(),
                                   {pageLive(), windowFocused ? focus_.stop : -1, lists_});
    }

    // What the page draws from.
    ui::PageView pageView() const {
        return {core_.record(),
                core_.labels(),
                core_.language(),
                core_.sensorType(),
                lighting_,
                hover_,
                focus_.markShown && ui::stopAnswers(focus_.stop, pageLive()) ? focus_.stop : -1};
    }

    // Page actions. Each changes the record (and labels) and returns what must
    // be redrawn; nothing when the page is not live.
    ui::Redraw showMode(Mode mode);
    ui::Redraw restoreDefaults();
    ui::Redraw selectReportRate(int knob);
    ui::Redraw setStageLevel(int stage, int segment);
    ui::Redraw toggleStageTick(int stage);
    bool mayChooseStageColour(int stage) const;
    ui::Redraw setStageColour(int stage, Rgb colour);
    ui::Redraw setPointerSlider(PointerSlider slider, int position);
    ui::Redraw togglePointerPrecision();
    ui::Redraw toggleScrollOneScreen();

    // The DPI label of a stage's current level, for the stage balloons.
    std::u16string stageDpiLabel(int stage) const;

    Language language() const { return core_.language(); }
    bool mousePresent() const { return core_.mousePresent(); }
    bool firstRun() const { return core_.firstRun(); }
    bool settingsLoaded() const { return core_.settingsLoaded(); }
    PageState pageState() const { return pageStateOf(page_); }
    bool pageLive() const { return pageState() == PageState::Shown; }
    const SkinSettings& skin() const { return core_.skin(); }
    std::u16string skinFolder() const { return core_.skinFolder(); }
    const SettingsFilePaths& paths() const { return core_.paths(); }
    const LightingTexts& lightingTexts() const { return lighting_; }

    const SettingsRecord& record() const { return core_.record(); }
    const SettingsRecord& savedRecord() const { return core_.savedRecord(); }
    const ButtonLabels& labels() const { return core_.labels(); }
    const ConfigBlock& block() const { return core_.block(); }
    bool blockComplete() const { return core_.blockComplete(); }
    std::uint8_t sensorType() const { return core_.sensorType(); }

  private:
    bool mouseAnswers();
    struct PendingChange {
        std::uint32_t eventType;
        std::uint32_t deviceType;
        std::u16string interfaceName;
    };

    // Marks a device operation under way, and runs the notifications that
    // waited for it once the outermost one returns.
    class DeviceOperation {
      public:
        explicit DeviceOperation(MainWindowModel& model);
        ~DeviceOperation();
        DeviceOperation(const DeviceOperation&) = delete;
        DeviceOperation& operator=(const DeviceOperation&) = delete;

      private:
        MainWindowModel& model_;
        bool outermost_;
    };

    DiscoveryResult findAndRead();
    void runDeviceChange(const DeviceChange& change);
    // Discovery again; a mouse that is gone is told and hides the window.
    DiscoveryResult rediscover();
    void tellDiscovery(const DiscoveryResult& result);
    void readAfterDiscovery();
    void loadSettings();
    void buildPage();
    ApplyOutcome applySettings();
    void tell(std::u16string_view text, std::u16string_view caption);
    void pressLightingBox(int box, PressOutcome& outcome);
    void pressBox(int button, PressOutcome& outcome);
    void pressPageElement(const ui::PagePress& hit, PressOutcome& outcome);
    PressOutcome pressElement(const ui::PagePress& hit, int x, int y);
    KeyOutcome runKeySteps(const std::vector<ui::KeyStep>& steps);
    void tellPointerWarnings(const PointerWarnings& warnings);

    void rebuildPage();
    void runSettingsChangedOutside();
    // Unapplied changes on a shown page are dropped only with the user's word.
    bool mayDropPageChanges(TextId question, std::u16string_view name);
    void refuseProfile(std::u16string_view name, const std::u16string& problem);
    void tellFileNotWritten(const std::u16string& path, std::uint32_t systemError);
    void rememberProfile(std::u16string name);

    // The profile last applied or saved and the settings it left.
    struct ProfileOnMouse {
        std::u16string name;
        SettingsRecord record;
        ButtonLabels labels;
    };

    WindowPort& window_;
    std::function<std::int64_t()> secondsSinceEpoch_;
    SettingsCore core_;
    std::optional<ProfileOnMouse> lastProfile_;
    PageLife page_ = PageLife::NeverBuilt;
    LightingTexts lighting_;
    ui::OpenLists lists_;
    ui::HoverMarks hover_;
    ui::PageFocus focus_;
    bool initialised_ = false;
    bool deviceBusy_ = false;
    bool outsideChangeWaits_ = false;
    int modalDepth_ = 0;
    std::deque<PendingChange> pendingChanges_;
};

}  // namespace trv
