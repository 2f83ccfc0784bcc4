#pragma once
// The main window's model: the process-wide state of the program (the block,
// the settings record and its saved copy, the button labels, the device link,
// the page marks) and the operations that start-up, the notification icon,
// device notifications and the OK / Apply / Cancel buttons run on it. The
// main window only carries window messages in and the results out.

#include <cstdint>
#include <string>
#include <string_view>

#include "app/message_sink.h"
#include "app/tray_click.h"
#include "config/button_labels.h"
#include "config/ini_store.h"
#include "config/profile_store.h"
#include "config/settings_file.h"
#include "config/settings_file_paths.h"
#include "config/settings_record.h"
#include "device/device_state.h"
#include "device/discovery.h"
#include "device/hid_system.h"
#include "device/transfer.h"
#include "lang/text_table.h"
#include "perf/system_pointer.h"

namespace trv {

// What the model reaches the outside world through.
struct ModelServices {
    HidSystem& hid;
    Clock& clock;
    MessageSink& messages;
    SettingsFileSystem& files;
    ProfileStore& strIni;
    SystemPointer& pointer;
};

class MainWindowModel {
  public:
    MainWindowModel(const ModelServices& services, std::u16string_view executablePath);

    // Start-up, in the main window's order.
    void startUpDevice();
    void loadSettings();    // config.bin, then the saved copy
    void selectLanguage();  // "Lan" of str.ini's "Skins" section
    void loadIniStore();    // the button labels, the skin folder and text colour

    // The page build's share of the first run: the first build writes the
    // factory function table, ticks all stages and resets the labels; every
    // build of a first run takes the pointer settings from the system.
    void prepareForPageBuild();
    void pageBuilt();

    // OK or Apply: with the mouse present, applies and renews the saved copy
    // and the system's pointer settings. Returns whether anything happened;
    // OK then hides the window, Apply leaves it shown.
    bool confirm();
    // Cancel: back to the saved copy; the next icon click rebuilds the page.
    void restoreSettings();
    // The ten steps of applying, each run whatever the earlier ones did.
    void applySettings();

    TrayClickPlan trayClick();
    DeviceChangeOutcome deviceChange(std::uint32_t eventType, std::uint32_t deviceType,
                                     std::u16string_view interfaceName,
                                     const BalloonRequest& showBalloon);
    void closeDevice() { device_.closeChannels(); }

    // The DPI label of a stage's current level, for the stage balloons.
    std::u16string stageDpiLabel(int stage) const;

    Language language() const { return language_; }
    bool mousePresent() const { return device_.mousePresent; }
    bool firstRun() const { return firstRunFlag_ == 0; }
    PageState pageState() const { return pageState_; }
    const SkinSettings& skin() const { return skin_; }
    std::u16string skinFolder() const;

    SettingsRecord& record() { return record_; }
    const SettingsRecord& record() const { return record_; }
    const SettingsRecord& savedRecord() const { return savedRecord_; }
    ButtonLabels& labels() { return labels_; }
    const ButtonLabels& labels() const { return labels_; }
    const ConfigBlock& block() const { return block_.block; }
    bool blockComplete() const { return block_.complete; }
    std::uint8_t sensorType() const { return device_.sensorType; }

  private:
    ModelServices services_;
    SettingsFilePaths paths_;
    DeviceState device_;
    BlockState block_;
    SettingsRecord record_;
    SettingsRecord savedRecord_;
    std::uint8_t firstRunFlag_ = 0;
    ButtonLabels labels_;
    SkinSettings skin_;
    std::u16string languageCode_;
    Language language_ = Language::English;
    PageState pageState_ = PageState::NotBuilt;
    bool pageEverBuilt_ = false;
    bool firstRunStepDone_ = false;
    bool cancelMark_ = false;
};

}  // namespace trv
