#include "settings/settings_core.h"

#include "assign/assignment.h"
#include "assign/function_table.h"
#include "settings/owned_fields.h"

namespace trv {

DiscoveryResult SettingsCore::findMouse() {
    return FindMouse(services_.hid, device_);
}

TransferResult SettingsCore::readBlock() {
    return readBlockAfterDiscovery(device_, block_);
}

TransferResult SettingsCore::readBlockInto(BlockState& state) const {
    return ReadConfigBlock(device_, state);
}

bool SettingsCore::countDeviceChange(const DeviceChange& change) {
    return trv::countDeviceChange(change, device_);
}

SettingsFileResult SettingsCore::loadRecord() {
    const SettingsFileResult result =
        LoadSettingsFile(services_.files, paths_.configBin, firstRunFlag_, record_);
    savedRecord_ = record_;
    settingsLoaded_ = true;
    return result;
}

std::u16string_view SettingsCore::labelSection() const {
    return text(language_, TextId::SettingsSection);
}

void SettingsCore::loadStrIni() {
    language_ = languageFromCode(readLanguageCode(services_.strIni));
    reloadLabels();
}

void SettingsCore::reloadLabels() {
    LoadIniStore(services_.strIni, labelSection(), labels_, skin_);
    savedLabels_ = labels_;
}

void SettingsCore::saveLabels() {
    SaveIniStore(services_.strIni, labelSection(), labels_);
    savedLabels_ = labels_;
}

SettingsFileResult SettingsCore::saveRecord() {
    return SaveSettingsFile(services_.files, paths_.configBin, record_);
}

TransferResult SettingsCore::writeBlock() {
    // Without a whole block the sensor type is unknown: a snipe code worked
    // out for a guessed sensor would reach config.bin with no basis.
    if (block_.complete) rebuildOwnedFields(record_, device_.sensorType, block_.block);
    return WriteConfigBlock(device_, block_, services_.clock);
}

VerifiedWrite SettingsCore::writeBlockVerified(bool verify) {
    if (block_.complete) rebuildOwnedFields(record_, device_.sensorType, block_.block);
    return writeAndVerify(device_, block_, services_.clock, verify);
}

VerifiedWrite SettingsCore::writeOtherBlock(const ConfigBlock& block, bool verify) {
    const VerifiedWrite result =
        writeAndVerify(device_, BlockState{block, true}, services_.clock, verify);
    if (result.ok()) block_ = {block, true};
    return result;
}

void SettingsCore::markApplied() {
    savedRecord_ = record_;
}

PointerWarnings SettingsCore::applyPointerSettings() {
    return writeSystemPointerSettings(record_, services_.pointer);
}

void SettingsCore::setFirstRunDefaults() {
    writeFactoryFunctionTable(block_.block);
    for (std::size_t stage = 1; stage <= rec::kStages; ++stage) {
        record_[rec::kStageEnabled + stage - 1] = 1;
    }
    setDefaultLabels(labels_, language_);
}

PointerWarnings SettingsCore::readPointerSettings() {
    return readSystemPointerSettings(record_, services_.pointer);
}

}  // namespace trv
