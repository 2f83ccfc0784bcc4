#include "ctl/ctl_runner.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "config/block_backup.h"
#include "config/error_number.h"
#include "config/ini_store.h"
#include "config/portable_profile_store.h"
#include "config/profile_store_text.h"
#include "config/settings_file_paths.h"
#include "ctl/block_status.h"
#include "ctl/command_line.h"
#include "ctl/mouse_link.h"
#include "ctl/tool_services.h"
#include "device/discovery.h"
#include "device/virtual_mouse_folder.h"
#include "lang/text_table.h"
#include "perf/pointer.h"
#include "settings/profile_file.h"
#include "settings/profile_text.h"
#include "settings/profile_words.h"
#include "settings/settings_core.h"
#include "settings/settings_files_update.h"
#include "settings/verified_write.h"

#ifndef TRV_VERSION
#define TRV_VERSION "unknown"
#endif

namespace trv::ctl {

using namespace readable;

namespace {

// config.bin is read up to this size, so that a wrong file is told by its size.
constexpr std::size_t kMaxConfigBinBytes = 64 * 1024;
constexpr std::uint32_t kFileNotFound = 2;  // ERROR_FILE_NOT_FOUND
constexpr std::uint32_t kPathNotFound = 3;  // ERROR_PATH_NOT_FOUND
constexpr std::uint32_t kAccessDenied = 5;  // ERROR_ACCESS_DENIED

// A system error as the user reads it: the system's words and the number,
// "Access is denied. (5)"; the number alone when the system has no words.
std::string systemError(const Services& services, std::uint32_t code) {
    const std::string number = utf8(errorNumberText(code));
    const std::u16string words = services.systemErrorText ? services.systemErrorText(code) : u"";
    return words.empty() ? "error " + number : utf8(words) + " (" + number + ")";
}

// The tool runs with the rights of the prompt it was started from and never
// asks for more, so that a script never meets a question: where those rights
// do not reach, the user starts it again from a prompt that has them.
constexpr std::string_view kAdministratorPrompt =
    "this command needs an administrator prompt: open the command prompt with "
    "\"Run as administrator\" and run the command there";

// What to do when the mouse cannot be reached.
std::string mouseAdvice(std::uint32_t code) {
    return code == kAccessDenied ? std::string(kAdministratorPrompt)
                                 : "plug the mouse in again and run the command again";
}

// What to do when a file cannot be written.
std::string fileAdvice(std::uint32_t code) {
    return code == kAccessDenied
               ? std::string(kAdministratorPrompt) + ", or choose a folder you may write to"
               : "check that the folder exists and that you may write to it";
}

// What to do when a file cannot be read.
std::string readAdvice(std::uint32_t code) {
    return code == kAccessDenied ? std::string(kAdministratorPrompt)
                                 : "check that it is a file you may read";
}

// Seconds since 1970 as a UTC calendar date.
std::string utcDate(std::int64_t seconds) {
    constexpr std::int64_t kDay = 86400;
    std::int64_t days = seconds / kDay;
    std::int64_t rest = seconds % kDay;
    if (rest < 0) rest += kDay, --days;
    // Civil date from a day count, after H. Hinnant's days_from_civil inverse.
    const std::int64_t z = days + 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    const std::int64_t day = doy - (153 * mp + 2) / 5 + 1;
    const std::int64_t month = mp < 10 ? mp + 3 : mp - 9;
    const std::int64_t year = yoe + era * 400 + (month <= 2 ? 1 : 0);
    char text[64];
    std::snprintf(text, sizeof text, "%04lld-%02lld-%02lld %02lld:%02lld:%02lld UTC",
                  static_cast<long long>(year), static_cast<long long>(month),
                  static_cast<long long>(day), static_cast<long long>(rest / 3600),
                  static_cast<long long>(rest / 60 % 60), static_cast<long long>(rest % 60));
    return text;
}

std::string hex4(std::uint16_t value) {
    char text[8];
    std::snprintf(text, sizeof text, "%04X", value);
    return text;
}

std::string hex2(std::uint8_t value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", value);
    return text;
}

class Tool {
  public:
    Tool(const Options& options, const Services& services, std::ostream& out, std::ostream& err)
        : o_(options),
          s_(services),
          out_(out),
          err_(err),
          paths_(o_.config ? settingsFilePathsOfConfig(*o_.config)
                           : settingsFilePaths(s_.executablePath)),
          files_(services.files, o_.dryRun, out),
          strIni_(s_.openProfileStore(paths_.strIni)),
          pointer_(s_.pointer, o_.dryRun ? &out_ : nullptr) {
        if (o_.dryRun) unwrittenStrIni_ = std::make_unique<UnwrittenProfileStore>(*strIni_, out_);
    }

    int run() {
        if (reachesMouse(*o_.command)) {
            if (auto code = prepareVirtualMouse()) {
                if (*o_.command == Command::Status && *code == exit_code::kMouseNotFound) {
                    out_ << "Mouse: not found\n";
                }
                return *code;
            }
        }
        if (*o_.command != Command::Status) {
            if (auto code = settingsFilesReadable()) return *code;
        }
        ProfileStore& strIni = unwrittenStrIni_ ? *unwrittenStrIni_ : *strIni_;
        SystemPointer& pointer = o_.dryRun || o_.noPointer ? pointer_ : s_.pointer;
        core_.emplace(SettingsServices{link(), s_.clock, files_, strIni, pointer}, paths_);
        switch (*o_.command) {
            case Command::Status:
                return status();
            case Command::Backup:
                return backup();
            case Command::Restore:
                return restore();
            case Command::Export:
                return exportProfile();
            case Command::Import:
                return importProfile();
            case Command::Apply:
                return apply();
        }
        return exit_code::kUsage;
    }

  private:
    SettingsCore& core() { return *core_; }

    int fail(int code, const std::string& text) {
        err_ << "trv418ctl: " << text << '\n';
        return code;
    }

    // --virtual names a folder that keeps a virtual mouse; --virtual-new makes one.
    std::optional<int> prepareVirtualMouse() {
        if (!o_.virtualFolder) return std::nullopt;
        const std::filesystem::path folder(*o_.virtualFolder);
        const std::string name = utf8(*o_.virtualFolder);
        if (!o_.virtualNew) {
            if (virtualMouseIn(folder)) return std::nullopt;
            return fail(exit_code::kMouseNotFound,
                        "no virtual mouse in " + name + "; `--virtual-new` creates one");
        }
        virtualMouse_ = newVirtualMouse(folder);
        if (virtualMouse_.kept) return std::nullopt;
        return fail(exit_code::kFileAccess, "a virtual mouse cannot be kept in " + name +
                                                "; choose a folder you may write to");
    }

    // Why a file could not be read, and the exit code for it.
    int readFailed(const std::u16string& path, std::size_t sizeLimit,
                   std::uint32_t systemErrorNumber) {
        const bool notFound = systemErrorNumber == 0 || systemErrorNumber == kFileNotFound ||
                              systemErrorNumber == kPathNotFound;
        if (notFound && !s_.files.exists(path)) {
            return fail(exit_code::kFileAccess, utf8(path) + " does not exist; check the path");
        }
        if (systemErrorNumber != 0) {
            return fail(exit_code::kFileAccess,
                        utf8(path) + " cannot be read: " + systemError(s_, systemErrorNumber) +
                            "; " + readAdvice(systemErrorNumber));
        }
        return fail(exit_code::kFileAccess, utf8(path) + " cannot be read, or is larger than " +
                                                std::to_string(sizeLimit) +
                                                " bytes; check that it is a file you may read");
    }

    // config.bin and str.ini as they are, before anything is changed: a file
    // this user may not read stops the command before the mouse is written,
    // not after, and str.ini's reader would take it for one without labels.
    std::optional<int> settingsFilesReadable() {
        const std::pair<const std::u16string&, std::size_t> files[] = {
            {paths_.configBin, kMaxConfigBinBytes},
            {paths_.strIni, PortableProfileStore::kMaxFileBytes}};
        for (const auto& [path, limit] : files) {
            if (!s_.files.exists(path)) continue;
            const ReadResult read = s_.files.readWithCause(path, limit);
            // Too large is the command's own business: a config.bin of
            // another size is told as such.
            if (!read.bytes && read.systemError != 0) {
                return readFailed(path, limit, read.systemError);
            }
        }
        return std::nullopt;
    }

    HidSystem& hid() {
        if (!o_.virtualFolder) return s_.hid;
        if (!virtualMouse_.hid) {
            virtualMouse_ = openVirtualMouse(std::filesystem::path(*o_.virtualFolder));
            if (!virtualMouse_.kept) {
                err_ << "trv418ctl: the virtual mouse cannot be kept in "
                     << utf8(virtualMouse_.contentsFile.u16string()) << '\n';
            }
        }
        return *virtualMouse_.hid;
    }

    MouseLink& link() {
        if (!link_) link_ = std::make_unique<MouseLink>(hid(), out_);
        return *link_;
    }

    std::optional<int> findMouse() {
        const DiscoveryResult found = core().findMouse();
        core().setMousePresent(found.found);
        miceFound_ = found.miceFound;
        if (found.channelOpenError) {
            return fail(exit_code::kTransferFailed, "the mouse cannot be opened: CreateFile: " +
                                                        systemError(s_, *found.channelOpenError) +
                                                        "; " +
                                                        mouseAdvice(*found.channelOpenError));
        }
        if (!found.found) {
            return fail(exit_code::kMouseNotFound, "the mouse (vendor " + hex4(kMouseVendorId) +
                                                       ", product " + hex4(kMouseProductId) +
                                                       ") was not found; plug it in and run "
                                                       "the command again");
        }
        return std::nullopt;
    }

    std::optional<int> transferFailed(const char* what, const TransferResult& result) {
        if (result.ok()) return std::nullopt;
        std::string why;
        if (result.failedCall == transfer_failure::kSignature) {
            why = "the mouse answered without its signature";
        } else if (result.failedCall == transfer_failure::kNoChannel) {
            why = "one of the mouse's collections is not open";
        } else if (result.failedCall == transfer_failure::kIncompleteBlock) {
            why = "no configuration was read whole from the mouse";
        } else {
            why = std::string(result.failedCall) + " failed";
            if (result.systemError != 0) why += ": " + systemError(s_, result.systemError);
        }
        return fail(exit_code::kTransferFailed,
                    std::string(what) + ": " + why + "; " + mouseAdvice(result.systemError));
    }

    std::optional<int> findAndRead() {
        if (auto code = findMouse()) return code;
        return transferFailed("reading the mouse's configuration", core().readBlock());
    }

    // A write and its read-back, told as the user needs it. Nothing of a
    // failed one reaches a file.
    std::optional<int> verified(const VerifiedWrite& write) {
        if (auto code = transferFailed("writing the mouse's configuration", write.written)) {
            return code;
        }
        if (auto code = transferFailed("reading the configuration back", write.readBack)) {
            return code;
        }
        if (!write.difference) return std::nullopt;
        const BlockDifference& d = *write.difference;
        return fail(exit_code::kVerificationFailed,
                    "verification failed: the mouse holds other values in " +
                        std::to_string(d.differing) + " of the " + std::to_string(kComparedBytes) +
                        " bytes written; the first is " +
                        (d.inHeader ? "header byte " : "image byte ") + std::to_string(d.at) +
                        " (written " + hex2(d.written) + ", read back " + hex2(d.readBack) +
                        "); no file was changed");
    }

    // Replaces the file whole; an exit code, after saying why, when it cannot.
    std::optional<int> written(const std::u16string& path, std::span<const std::uint8_t> bytes) {
        const WriteResult result = files_.replaceWhole(path, bytes);
        if (result.written) return std::nullopt;
        return writeFailed(path, result.systemError);
    }

    int writeFailed(const std::u16string& path, std::uint32_t systemErrorNumber) {
        return fail(exit_code::kFileAccess,
                    utf8(path) + " cannot be written: " + systemError(s_, systemErrorNumber) +
                        "; " + fileAdvice(systemErrorNumber));
    }

    std::optional<int> filesUpdated(const FilesUpdate& update) {
        return filesFailed(updateSettingsFiles(files_, paths_, update));
    }

    std::optional<int> filesFailed(const FilesUpdateResult& result) {
        if (result.done) return std::nullopt;
        if (result.reading) {
            return readFailed(result.failedPath, PortableProfileStore::kMaxFileBytes,
                              result.systemError);
        }
        return writeFailed(result.failedPath, result.systemError);
    }

    int dryRunDone() {
        out_ << "Dry run: nothing was sent to the mouse, no file or setting was changed\n";
        return exit_code::kSuccess;
    }

    // A running TRV418.exe loads what the tool changed, instead of writing
    // its old settings over it at its next OK.
    void tellProgram() {
        if (!o_.dryRun && s_.settingsChanged) s_.settingsChanged();
    }

    int status() {
        if (auto code = findMouse()) {
            out_ << "Mouse: not found\n";
            return *code;
        }
        auto interfaceOf = [&](ChannelKind kind) {
            const std::u16string& path = link().pathOf(kind);
            return path.empty() ? std::string("not opened") : utf8(path);
        };
        out_ << "Mouse: found\n";
        if (miceFound_ > 1) out_ << "Mice found: " << miceFound_ << "; this one is the first\n";
        out_ << "  command collection: " << interfaceOf(ChannelKind::Command) << '\n'
             << "  data collection: " << interfaceOf(ChannelKind::Data) << '\n';
        if (auto code = transferFailed("reading the mouse's configuration", core().readBlock())) {
            return *code;
        }
        out_ << utf8(blockStatus(core().block()));
        if (o_.raw) out_ << utf8(blockHexDump(core().block()));
        return exit_code::kSuccess;
    }

    int backup() {
        if (auto code = findAndRead()) return *code;
        const BlockBackup taken = core().takeBackup(s_.secondsSinceEpoch());
        if (!taken.files) {
            err_ << "trv418ctl: note: " << utf8(paths_.configBin)
                 << " is missing or not a config.bin; the backup holds the mouse's "
                    "configuration only\n";
        }
        if (auto code = written(o_.file, encodeBackup(taken))) return *code;
        if (o_.dryRun) return dryRunDone();
        out_ << "Backed up the mouse's configuration"
             << (taken.files ? ", config.bin and the button labels" : "") << " to " << utf8(o_.file)
             << '\n';
        return exit_code::kSuccess;
    }

    std::optional<int> backupProblem(const DecodedBackup& decoded) {
        const std::string file = utf8(o_.file);
        switch (decoded.problem) {
            case BackupProblem::None:
                return std::nullopt;
            case BackupProblem::NotABackup:
                return fail(exit_code::kFileInvalid,
                            file + " is not a trv418ctl backup; for a profile, use `import`");
            case BackupProblem::OtherVersion:
                return fail(exit_code::kFileInvalid,
                            file + " is a backup of format " + std::to_string(decoded.version) +
                                "; this tool reads formats " +
                                std::to_string(backup::kBlockOnlyVersion) + " and " +
                                std::to_string(backup::kFormatVersion) +
                                "; use the trv418ctl that made it");
            case BackupProblem::WrongSize:
                return fail(exit_code::kFileInvalid,
                            file + " is damaged: its length does not fit its format");
            case BackupProblem::Checksum:
                return fail(exit_code::kFileInvalid,
                            file + " is damaged: its checksum does not match its bytes");
            case BackupProblem::Inconsistent:
                return fail(exit_code::kFileInvalid,
                            file + " is damaged: its header and block name different sensors");
        }
        return std::nullopt;
    }

    std::optional<int> otherDevice(const BlockBackup& b) {
        const std::string file = utf8(o_.file);
        switch (core().backupFits(b)) {
            case BackupFit::Fits:
                return std::nullopt;
            case BackupFit::OtherDevice:
                return fail(exit_code::kFileInvalid, file + " is a backup of device " +
                                                         hex4(b.vendorId) + ":" +
                                                         hex4(b.productId) +
                                                         ", not of this mouse; --force restores it "
                                                         "anyway");
            case BackupFit::OtherSensor:
                return fail(exit_code::kFileInvalid,
                            file + " was taken from a mouse with sensor type " +
                                std::to_string(b.sensorType()) + "; this one has sensor type " +
                                std::to_string(core().sensorType()) +
                                "; --force restores it anyway");
        }
        return std::nullopt;
    }

    int restore() {
        const ReadResult read = s_.files.readWithCause(o_.file, backup::kMaxSize);
        if (!read.bytes) return readFailed(o_.file, backup::kMaxSize, read.systemError);
        const DecodedBackup decoded = decodeBackup(*read.bytes);
        if (auto code = backupProblem(decoded)) return *code;
        const BlockBackup& b = decoded.backup;

        if (auto code = findAndRead()) return *code;
        if (!o_.force) {
            if (auto code = otherDevice(b)) return *code;
        }
        if (o_.dryRun) link().holdFrames();
        const RestoreResult restored = core().restoreBackup(b, !o_.dryRun);
        if (auto code = verified(restored.write)) return *code;
        if (restored.files) {
            if (auto code = filesFailed(*restored.files)) {
                tellProgram();  // the mouse holds the backup all the same
                return *code;
            }
        }
        if (o_.dryRun) return dryRunDone();
        tellProgram();
        out_ << "Restored the backup of " << utcDate(b.date) << " from " << utf8(o_.file) << '\n';
        if (!b.files) {
            out_ << "This backup holds the mouse's configuration only: config.bin and str.ini "
                    "were not changed, and the next OK or Apply in TRV418.exe writes their "
                    "settings to the mouse.\n";
        }
        return exit_code::kSuccess;
    }

    // config.bin's record; an exit code when it cannot be used.
    std::variant<SettingsRecord, int> loadRecord() {
        const std::u16string& configBin = paths_.configBin;
        if (!o_.config && !s_.files.exists(configBin)) {
            return fail(exit_code::kFileAccess,
                        utf8(configBin) + " does not exist; name a config.bin with --config");
        }
        const ReadResult read = s_.files.readWithCause(configBin, kMaxConfigBinBytes);
        if (!read.bytes) return readFailed(configBin, kMaxConfigBinBytes, read.systemError);
        const std::vector<std::uint8_t>& bytes = *read.bytes;
        if (bytes.size() != settings_file::kSize) {
            return fail(exit_code::kFileInvalid,
                        utf8(configBin) + " is " + std::to_string(bytes.size()) +
                            " bytes long, not " + std::to_string(settings_file::kSize) +
                            ": not a config.bin");
        }
        SettingsRecord record;
        std::copy_n(bytes.begin() + settings_file::kRecord, rec::kSize, record.bytes.begin());
        return record;
    }

    int exportProfile() {
        auto record = loadRecord();
        if (const int* code = std::get_if<int>(&record)) return *code;
        core().loadStrIni();
        const std::u16string text = readable::exportProfile(std::get<SettingsRecord>(record),
                                                            core().labels(), o_.sensor.value_or(0));
        if (auto code = written(o_.file, profileFileBytes(text))) return *code;
        if (o_.dryRun) return dryRunDone();
        out_ << "Exported " << utf8(paths_.configBin) << " to " << utf8(o_.file) << '\n';
        return exit_code::kSuccess;
    }

    int importProfile() {
        const ProfileFile read = readProfileFile(s_.files, o_.file);
        if (read.problem == ProfileFileProblem::Unreadable) {
            return readFailed(o_.file, kMaxProfileBytes, read.systemError);
        }
        if (read.problem == ProfileFileProblem::Backup) {
            return fail(exit_code::kFileInvalid, utf8(o_.file) +
                                                     " is a backup of the mouse, not a profile; "
                                                     "`trv418ctl restore " +
                                                     utf8(o_.file) + "` writes it to the mouse");
        }
        // A missing or damaged config.bin beside the tool is made anew: the
        // profile's keys go over a zero record then. One named with --config
        // must be a config.bin, as it is written over.
        SettingsRecord base{};
        if (o_.config || s_.files.exists(paths_.configBin)) {
            auto loaded = loadRecord();
            if (const int* code = std::get_if<int>(&loaded)) {
                if (o_.config || *code != exit_code::kFileInvalid) return *code;
                err_ << "trv418ctl: note: import makes it anew\n";
            } else {
                base = std::get<SettingsRecord>(loaded);
            }
        } else {
            err_ << "trv418ctl: note: " << utf8(paths_.configBin)
                 << " does not exist; import makes it\n";
        }
        core().loadStrIni();
        const ImportedProfile imported = readable::importProfile(read.text, base, core().labels());
        for (const ProfileProblem& p : imported.problems) {
            err_ << utf8(o_.file);
            if (p.line != 0) err_ << ':' << p.line;
            err_ << ": " << utf8(p.text) << '\n';
        }
        if (!imported.problems.empty()) {
            return fail(exit_code::kFileInvalid, std::to_string(imported.problems.size()) +
                                                     " problem(s) in " + utf8(o_.file) +
                                                     "; nothing was changed");
        }
        // An imported record counts as applied: a first run would replace its
        // ticks, labels and pointer settings.
        FilesUpdate update{settingsFileBytes(settings_file::kApplied, imported.record), {}};
        const std::u16string section(core().labelSection());
        if (imported.labelsGiven) {
            update.editStrIni = [&](ProfileStore& strIni) {
                SaveIniStore(strIni, section, imported.labels);
            };
        }
        if (auto code = filesUpdated(update)) return *code;
        if (o_.dryRun) return dryRunDone();
        tellProgram();
        out_ << "Imported " << utf8(o_.file) << " into " << utf8(paths_.configBin)
             << (imported.labelsGiven ? " and " + utf8(paths_.strIni) : std::string()) << '\n';
        return exit_code::kSuccess;
    }

    void tellPointerWarnings(const PointerWarnings& warnings) {
        for (std::u16string_view warning : warnings) {
            err_ << utf8(kPointerWarningCaption) << ": " << utf8(warning) << '\n';
        }
    }

    // OK's steps on config.bin as it is, except that the files follow only a
    // block the mouse has read back as written.
    int apply() {
        if (auto record = loadRecord(); const int* code = std::get_if<int>(&record)) return *code;
        if (auto code = findAndRead()) {
            err_ << "trv418ctl: nothing was applied\n";
            return *code;
        }
        core().loadRecord();
        core().loadStrIni();
        // As the page's first build on a first run prepares what OK sends.
        if (core().firstRun()) {
            core().setFirstRunDefaults();
            tellPointerWarnings(core().readPointerSettings());
        }
        if (o_.dryRun) link().holdFrames();
        if (auto code = verified(core().writeBlockVerified(!o_.dryRun))) return *code;
        // config.bin and the labels together, so that a str.ini this user may
        // not write is told, and leaves config.bin as it was.
        const std::u16string section(core().labelSection());
        const ButtonLabels& labels = core().labels();
        const auto code =
            filesUpdated({settingsFileBytes(settings_file::kApplied, core().record()),
                          [&](ProfileStore& strIni) { SaveIniStore(strIni, section, labels); }});
        if (code) {
            tellProgram();  // the mouse took the block all the same
            return *code;
        }
        core().markApplied();
        tellPointerWarnings(core().applyPointerSettings());
        if (o_.dryRun) return dryRunDone();
        tellProgram();
        out_ << "Applied " << utf8(paths_.configBin) << " to the mouse\n";
        return exit_code::kSuccess;
    }

    const Options& o_;
    const Services& s_;
    std::ostream& out_;
    std::ostream& err_;
    SettingsFilePaths paths_;
    ToolFiles files_;
    std::unique_ptr<ProfileStore> strIni_;
    std::unique_ptr<ProfileStore> unwrittenStrIni_;
    UnchangedPointer pointer_;
    VirtualMouseInFolder virtualMouse_;
    std::unique_ptr<MouseLink> link_;
    std::optional<SettingsCore> core_;
    std::uint32_t miceFound_ = 0;  // by the last discovery
};

}  // namespace

int run(std::span<const std::u16string> args, const Services& services, std::ostream& out,
        std::ostream& err) {
    const auto parsed = parse(args);
    if (const UsageError* usage = std::get_if<UsageError>(&parsed)) {
        err << "trv418ctl: " << usage->text << '\n' << usageHint(*usage) << '\n';
        return exit_code::kUsage;
    }
    const Options& options = std::get<Options>(parsed);
    if (options.help) {
        out << helpText(options.command);
        return exit_code::kSuccess;
    }
    if (options.version) {
        out << "trv418ctl " << TRV_VERSION << '\n';
        return exit_code::kSuccess;
    }
    return Tool(options, services, out, err).run();
}

}  // namespace trv::ctl
