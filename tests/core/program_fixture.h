#pragma once
// The whole program's model over the virtual mouse, a temporary folder with
// config.bin and str.ini, a recording window and a fake pointer: the tests
// act as the user and the system do, and read what the mouse, the files and
// the window got.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "app/main_model.h"
#include "config/portable_profile_store.h"
#include "config/settings_file_disk.h"
#include "contract/temp_folder.h"
#include "device/virtual_mouse.h"
#include "device_fakes.h"
#include "pointer_fakes.h"

namespace trv::testing {

inline SettingsRecord craftedRecord() {
    SettingsRecord r;
    for (std::size_t i = 0; i < rec::kSize; ++i) r[i] = static_cast<std::uint8_t>(0x30 + i % 7);
    r[rec::kReportRateCode] = 2;
    for (std::size_t s = 0; s < rec::kStages; ++s) {
        r[rec::kStageLevel + s] = static_cast<std::uint8_t>(7 - s);
        r[rec::kStageEnabled + s] = s % 2 == 0 ? 1 : 0;
        for (std::size_t c = 0; c < 3; ++c) {
            r[rec::kStageColour + 3 * s + c] = static_cast<std::uint8_t>(0x10 * (s + 1) + c);
        }
    }
    r[rec::kLightMode] = 1;
    r[rec::kLightBrightness] = 4;
    r[rec::kModeShown] = 0;
    r[rec::kFireMakeTime] = 20;
    r[rec::kFireBreakTime] = 30;
    r[rec::kSnipeLevel] = 3;      // Mode A
    r[rec::kSnipeLevel + 1] = 6;  // Mode B
    r[rec::kPointerSpeedPos] = 6;
    r[rec::kScrollLinesPos] = 3;
    r[rec::kDoubleClickPos] = 6;
    r[rec::kPointerPrecision] = 1;
    r[rec::kScrollOneScreen] = 0;
    const std::uint8_t types[] = {0, 1, 2, 3, 4, 5, 9, 12};
    for (Mode mode : {Mode::A, Mode::B}) {
        for (std::size_t b = 1; b <= rec::kButtons; ++b) {
            r.button(rec::kAssignType, mode, b) = types[b - 1];
            r.button(rec::kFireTimes, mode, b) = 5;
            r.button(rec::kFireKeyUsage, mode, b) = 0xF0;
            r.button(rec::kDpiSwitchCode, mode, b) = 5;
        }
    }
    r.button(rec::kAssignType, Mode::B, 4) = 13;  // Shift
    return r;
}

inline Bytes configBin(std::uint8_t firstRunFlag, const SettingsRecord& record) {
    Bytes bytes(1 + rec::kSize);
    bytes[0] = firstRunFlag;
    std::copy(record.bytes.begin(), record.bytes.end(), bytes.begin() + 1);
    return bytes;
}

// Swaps the machine's HID stack during a test: the mouse plugged in or not.
class SwitchableHid final : public HidSystem {
  public:
    explicit SwitchableHid(HidSystem& present) : present_(present) {}
    bool plugged = true;
    std::unique_ptr<HidInterfaceList> presentInterfaces() override {
        return current().presentInterfaces();
    }
    std::unique_ptr<HidProbe> openProbe(const std::u16string& path) override {
        return current().openProbe(path);
    }
    ChannelOpening openChannel(const std::u16string& path, ChannelKind kind) override {
        return current().openChannel(path, kind);
    }

  private:
    HidSystem& current() { return plugged ? present_ : absent_; }
    HidSystem& present_;
    ScriptedHid absent_;
};

inline constexpr std::int64_t kBackupDate = 1700000000;  // UTC

constexpr std::u16string_view kMouseInterface = u"\\\\?\\HID#VID_04D9&PID_A0D6&MI_01&Col01#1";

class Program : public ::testing::Test {
  protected:
    Program() {
        folder_.write("config.bin", configBin(1, craftedRecord()));
        virtualHid_ = std::make_unique<VirtualHidSystem>(mouse_);
        hid_ = std::make_unique<SwitchableHid>(*virtualHid_);
        strIni_ = std::make_unique<PortableProfileStore>(folder_.path16("str.ini"));
    }

    // Start-up as the main window runs it.
    MainWindowModel& start() {
        model_ = std::make_unique<MainWindowModel>(
            ModelServices{*hid_, clock_, window_, files_, *strIni_, pointer_,
                          [] { return kBackupDate; }},
            settingsFilePaths(folder_.path16("TRV418.exe")));
        model_->startUp();
        return *model_;
    }

    void notify(std::uint32_t event, int times = 1) {
        for (int i = 0; i < times; ++i) {
            model_->deviceChange(event, device_event::kInterfaceType, kMouseInterface);
        }
    }

    Bytes fileBytes(std::string_view name) const { return folder_.read(name); }

    TempFolder folder_;
    std::shared_ptr<VirtualMouse> mouse_ = std::make_shared<VirtualMouse>();
    std::unique_ptr<VirtualHidSystem> virtualHid_;
    std::unique_ptr<SwitchableHid> hid_;
    std::unique_ptr<PortableProfileStore> strIni_;
    DiskSettingsFileSystem files_;
    CountingClock clock_;
    RecordingWindow window_;
    FakeSystemPointer pointer_;
    std::unique_ptr<MainWindowModel> model_;
};

}  // namespace trv::testing
