#include "settings/settings_core.h"

#include "assign/assignment.h"
#include "assign/function_table.h"
#include "settings/labels_backup.h"
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

BlockBackup SettingsCore::takeBackup(std::int64_t date) {
    BlockBackup taken{kMouseVendorId, kMouseProductId, date, block_.block, std::nullopt};
    // Read up to a size past config.bin's, so that another file is told by its size.
    const auto bytes = services_.files.readWhole(paths_.configBin, 2 * settings_file::kSize);
    if (bytes && bytes->size() == settings_file::kSize) {
        SettingsFilesBackup files;
        std::copy(bytes->begin(), bytes->end(), files.configBin.begin());
        files.labels = labelsOfEveryLanguage(services_.strIni);
        taken.files = std::move(files);
    }
    return taken;
}

BackupFit SettingsCore::backupFits(const BlockBackup& backup) const {
    if (backup.vendorId != kMouseVendorId || backup.productId != kMouseProductId) {
        return BackupFit::OtherDevice;
    }
    return backup.sensorType() == device_.sensorType ? BackupFit::Fits : BackupFit::OtherSensor;
}

RestoreResult SettingsCore::restoreBackup(const BlockBackup& backup, bool verify) {
    RestoreResult result{writeOtherBlock(backup.block, verify), std::nullopt};
    if (!result.write.ok() || !backup.files) return result;
    const std::u16string& labels = backup.files->labels;
    result.files = updateSettingsFiles(services_.files, paths_,
                                       {backup.files->configBin, [&labels](ProfileStore& strIni) {
                                            restoreLabels(strIni, labels);
                                        }});
    return result;
}

readable::ImportedProfile SettingsCore::readProfile(std::u16string_view text) const {
    return readable::importProfile(text, savedRecord_, savedLabels_);
}

std::u16string SettingsCore::appliedProfile() const {
    return readable::exportProfile(savedRecord_, savedLabels_, device_.sensorType);
}

void SettingsCore::takeProfile(const readable::ImportedProfile& profile) {
    // Labels the profile leaves out are the applied ones it was read over.
    record_ = profile.record;
    labels_ = profile.labels;
}

PointerWarnings SettingsCore::readPointerSettings() {
    return readSystemPointerSettings(record_, services_.pointer);
}

}  // namespace trv
