#include "app/main_model.h"

#include "assign/assignment.h"
#include "assign/function_table.h"
#include "config/owned_fields.h"
#include "perf/dpi.h"
#include "perf/pointer.h"

namespace trv {

MainWindowModel::MainWindowModel(const ModelServices& services, std::u16string_view executablePath)
    : services_(services), paths_(settingsFilePaths(executablePath)) {}

void MainWindowModel::startUpDevice() {
    trv::startUpDevice(services_.hid, device_, block_, services_.messages, language_);
}

void MainWindowModel::loadSettings() {
    LoadSettingsFile(services_.files, paths_.configBin, firstRunFlag_, record_, services_.messages);
    savedRecord_ = record_;
}

void MainWindowModel::selectLanguage() {
    languageCode_ = readLanguageCode(services_.strIni);
    language_ = languageFromCode(languageCode_);
}

void MainWindowModel::loadIniStore() {
    LoadIniStore(services_.strIni, language_, labels_, skin_);
}

std::u16string MainWindowModel::skinFolder() const {
    return trv::skinFolder(paths_, skin_.path);
}

void MainWindowModel::prepareForPageBuild() {
    if (!firstRun()) return;
    if (!firstRunStepDone_) {
        firstRunStepDone_ = true;
        writeFactoryFunctionTable(block_.block);
        for (std::size_t stage = 1; stage <= rec::kStages; ++stage) {
            record_[rec::kStageEnabled + stage - 1] = 1;
        }
        setDefaultLabels(labels_, language_);
        SaveIniStore(services_.strIni, language_, labels_);
    }
    readSystemPointerSettings(record_, services_.pointer, services_.messages);
}

void MainWindowModel::pageBuilt() {
    pageState_ = PageState::Shown;
    pageEverBuilt_ = true;
}

void MainWindowModel::applySettings() {
    rebuildOwnedFields(record_, device_.sensorType, block_.block);
    WriteConfigBlock(device_, block_, services_.clock, services_.messages, language_);
    SaveSettingsFile(services_.files, paths_.configBin, record_, services_.messages);
    SaveIniStore(services_.strIni, language_, labels_);
}

bool MainWindowModel::confirm() {
    if (!device_.mousePresent) return false;
    applySettings();
    savedRecord_ = record_;
    writeSystemPointerSettings(record_, services_.pointer, services_.messages);
    return true;
}

void MainWindowModel::restoreSettings() {
    record_ = savedRecord_;
    cancelMark_ = true;
}

TrayClickPlan MainWindowModel::trayClick() {
    TrayClickPlan plan =
        planTrayClick(device_.mousePresent, cancelMark_, pageState_, pageEverBuilt_);
    if (plan.rebuildAfterCancel) {
        pageState_ = PageState::TearingDown;
        loadIniStore();
        pageState_ = PageState::NotBuilt;
    }
    return plan;
}

DeviceChangeOutcome MainWindowModel::deviceChange(std::uint32_t eventType, std::uint32_t deviceType,
                                                  std::u16string_view interfaceName,
                                                  const BalloonRequest& showBalloon) {
    const DeviceChange change{eventType, deviceType, interfaceName};
    return handleDeviceChange(change, services_.hid, device_, block_, services_.messages, language_,
                              showBalloon);
}

std::u16string MainWindowModel::stageDpiLabel(int stage) const {
    if (stage < 1 || stage > static_cast<int>(rec::kStages)) return {};
    const std::size_t s = static_cast<std::size_t>(stage);
    return std::u16string(dpiLevelLabel(device_.sensorType, stageLevel(record_, s)));
}

}  // namespace trv
