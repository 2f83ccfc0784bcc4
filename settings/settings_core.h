#pragma once
// The one owner of the user's settings and of the session with the mouse:
// the device link and the block read from it, config.bin's record with its
// saved copy, the button labels and the rest of str.ini, and the paths of
// both files. TRV418.exe's model and trv418ctl both stand on it, so that the
// program and the tool read and write the same things the same way. It
// reports what happened as typed results; turning them into messages is the
// caller's business, because only the caller knows how it speaks to the user.

#include <cstdint>
#include <string>

#include "config/block_backup.h"
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
#include "perf/pointer.h"
#include "perf/system_pointer.h"
#include "settings/profile_text.h"
#include "settings/settings_files_update.h"
#include "settings/verified_write.h"

namespace trv {

// Whether a backup was taken from a mouse like the one present.
enum class BackupFit : std::uint8_t { Fits, OtherDevice, OtherSensor };

// A backup put back: the mouse first, then, only when it holds the block,
// config.bin and the labels together.
struct RestoreResult {
    VerifiedWrite write;
    std::optional<FilesUpdateResult> files;  // none: not tried, or a block-only backup
    bool ok() const { return write.ok() && (!files || files->done); }
};

// What the core reaches the outside world through.
struct SettingsServices {
    HidSystem& hid;
    Clock& clock;
    SettingsFileSystem& files;
    ProfileStore& strIni;  // the str.ini of `paths`
    SystemPointer& pointer;
};

class SettingsCore {
  public:
    SettingsCore(const SettingsServices& services, SettingsFilePaths paths)
        : services_(services), paths_(std::move(paths)) {}

    const SettingsFilePaths& paths() const { return paths_; }
    SettingsFileSystem& files() { return services_.files; }
    ProfileStore& strIni() { return services_.strIni; }

    // --- The mouse -------------------------------------------------------
    // Discovery over the present interfaces. Whether the mouse counts as
    // present is the caller's to say, once it has told the user what it must.
    DiscoveryResult findMouse();
    // After a successful discovery: the block read anew, and with it the
    // sensor type.
    TransferResult readBlock();
    // Reads the mouse's block into `state` without touching the session's.
    TransferResult readBlockInto(BlockState& state) const;
    // A device notification counted as the rules count them; true when it
    // is one that runs discovery again.
    bool countDeviceChange(const DeviceChange& change);
    void setMousePresent(bool present) { device_.mousePresent = present; }
    void closeChannels() { device_.closeChannels(); }

    bool mousePresent() const { return device_.mousePresent; }
    const DeviceState& device() const { return device_; }
    const ConfigBlock& block() const { return block_.block; }
    bool blockComplete() const { return block_.complete; }
    std::uint8_t sensorType() const { return device_.sensorType; }

    // --- The files ------------------------------------------------------
    // config.bin into the record and its saved copy. A missing or unusable
    // file leaves the record as it was.
    SettingsFileResult loadRecord();
    // str.ini: the language, the labels of its section and the skin keys.
    void loadStrIni();
    // The labels and skin keys again, in the language chosen at the load.
    void reloadLabels();
    // The labels into the language's section of str.ini.
    void saveLabels();
    // The record into config.bin, as applied.
    SettingsFileResult saveRecord();

    // --- The OK / Apply steps ------------------------------------------
    // The block's owned fields rebuilt from the record, then the block to
    // the mouse. With no block read whole there is nothing the fields could
    // be rebuilt on, and the record keeps what it holds.
    TransferResult writeBlock();
    // The same for a caller that lets the files follow only a block the mouse
    // has read back as written (`verify` false: the write alone).
    VerifiedWrite writeBlockVerified(bool verify);
    // A whole block from elsewhere (a backup), written and read back.
    VerifiedWrite writeOtherBlock(const ConfigBlock& block, bool verify);
    // What was just applied becomes the saved copy.
    void markApplied();
    PointerWarnings applyPointerSettings();

    // --- The first run ---------------------------------------------------
    // The page's first build on a first run: the factory function table in
    // the block, every stage ticked and the default labels of the language.
    void setFirstRunDefaults();
    // The system's pointer settings into the record.
    PointerWarnings readPointerSettings();

    // --- Backups and profiles -------------------------------------------
    // The whole configuration as a backup holds it: the block as last read,
    // config.bin as it lies on the disk and the labels of every language.
    // Without a usable config.bin (missing, or of another size) it holds the
    // block alone.
    BlockBackup takeBackup(std::int64_t date);
    BackupFit backupFits(const BlockBackup& backup) const;
    // The block written (and read back, with `verify`); once the mouse holds
    // it, config.bin and str.ini's label sections (its Skins section stays
    // the user's). The record and labels are not reloaded: that is the
    // caller's, who knows whether a page is to follow.
    RestoreResult restoreBackup(const BlockBackup& backup, bool verify);
    // A profile's text set over the applied settings (config.bin's record and
    // the labels as last loaded or saved), checked as `trv418ctl import`
    // checks it.
    readable::ImportedProfile readProfile(std::u16string_view text) const;
    // The applied settings as a profile's text.
    std::u16string appliedProfile() const;
    // A profile read without problems becomes the record and the labels, for
    // the OK steps to apply.
    void takeProfile(const readable::ImportedProfile& profile);

    // Cancel: the record as last loaded or applied.
    void revertToSaved() { record_ = savedRecord_; }
    bool hasUnappliedChanges() const { return record_ != savedRecord_ || labels_ != savedLabels_; }
    const ButtonLabels& savedLabels() const { return savedLabels_; }

    SettingsRecord& record() { return record_; }
    const SettingsRecord& record() const { return record_; }
    const SettingsRecord& savedRecord() const { return savedRecord_; }
    ButtonLabels& labels() { return labels_; }
    const ButtonLabels& labels() const { return labels_; }
    bool firstRun() const { return firstRunFlag_ == 0; }
    bool settingsLoaded() const { return settingsLoaded_; }
    Language language() const { return language_; }
    const SkinSettings& skin() const { return skin_; }
    std::u16string skinFolder() const { return trv::skinFolder(paths_, skin_.path); }
    std::u16string_view labelSection() const;

  private:
    SettingsServices services_;
    SettingsFilePaths paths_;
    DeviceState device_;
    BlockState block_;
    SettingsRecord record_;
    SettingsRecord savedRecord_;
    std::uint8_t firstRunFlag_ = 0;
    bool settingsLoaded_ = false;
    ButtonLabels labels_;
    ButtonLabels savedLabels_;
    SkinSettings skin_;
    Language language_ = Language::English;
};

}  // namespace trv
