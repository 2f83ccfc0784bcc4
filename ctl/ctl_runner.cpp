#include "ctl/ctl_runner.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <variant>
#include <vector>

#include "app/main_model.h"
#include "config/block_backup.h"
#include "config/error_number.h"
#include "config/ini_store.h"
#include "config/portable_profile_store.h"
#include "config/profile_store_text.h"
#include "config/settings_file_paths.h"
#include "ctl/block_status.h"
#include "ctl/command_line.h"
#include "ctl/model_adapters.h"
#include "ctl/mouse_link.h"
#include "ctl/profile_text.h"
#include "ctl/words.h"
#include "device/discovery.h"
#include "device/virtual_mouse_folder.h"
#include "lang/text_table.h"

#ifndef TRV_VERSION
#define TRV_VERSION "unknown"
#endif

namespace trv::ctl {

namespace {

constexpr std::size_t kMaxProfileBytes = 1024 * 1024;
constexpr std::size_t kMaxBackupBytes = 64 * 1024;
constexpr std::u16string_view kProgramName = u"TRV418.exe";
constexpr std::u16string_view kStrIniName = u"str.ini";
constexpr std::size_t kComparedBytes = 1 + block::kImageSize;
// config.bin is read up to this size, so that a wrong file is told by its size.
constexpr std::size_t kMaxConfigBinBytes = 64 * 1024;
constexpr std::uint32_t kAccessDenied = 5;  // ERROR_ACCESS_DENIED
constexpr std::string_view kBackupMagic = "TRVB";

// A system error as the user reads it: the system's words and the number,
// "Access is denied. (5)"; the number alone when the system has no words.
std::string systemError(const Services& services, std::uint32_t code) {
    const std::string number = utf8(errorNumberText(code));
    const std::u16string words = services.systemErrorText ? services.systemErrorText(code) : u"";
    return words.empty() ? "error " + number : utf8(words) + " (" + number + ")";
}

// What to do when the mouse cannot be reached.
std::string mouseAdvice(std::uint32_t code) {
    return code == kAccessDenied ? "run trv418ctl as administrator"
                                 : "plug the mouse in again and run the command again";
}

// What to do when a file cannot be written.
std::string fileAdvice(std::uint32_t code) {
    return code == kAccessDenied
               ? "run trv418ctl as administrator, or choose a folder you may write to"
               : "check that the folder exists and that you may write to it";
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

// A ProfileStore over a text in memory, so the labels go into str.ini in one
// replacement of the whole file.
class TextProfileStore final : public ProfileStore {
  public:
    explicit TextProfileStore(profile::Document& document) : document_(document) {}
    std::u16string read(std::u16string_view section, std::u16string_view key) const override {
        return profile::findValue(document_.text, section, key).value_or(u"");
    }
    bool write(std::u16string_view section, std::u16string_view key,
               std::u16string_view value) override {
        profile::setValue(document_.text, section, key, storableValue(value));
        return true;
    }

  private:
    profile::Document& document_;
};

class Tool {
  public:
    Tool(const Options& options, const Services& services, std::ostream& out, std::ostream& err)
        : o_(options), s_(services), out_(out), err_(err), files_(services.files, o_.dryRun, out) {
        const std::u16string configBin =
            o_.config ? *o_.config : settingsFilePaths(s_.executablePath).configBin;
        folder_ = settingsFilePaths(configBin).folder;
        configBin_ = configBin;
        strIni_ = folder_ + std::u16string(kStrIniName);
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
    int readFailed(const std::u16string& path, std::size_t sizeLimit) {
        if (!s_.files.exists(path)) {
            return fail(exit_code::kFileAccess, utf8(path) + " does not exist; check the path");
        }
        return fail(exit_code::kFileAccess, utf8(path) + " cannot be read, or is larger than " +
                                                std::to_string(sizeLimit) +
                                                " bytes; check that it is a file you may read");
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
        const DiscoveryResult found = FindMouse(link(), device_);
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
        } else {
            why = std::string(result.failedCall) + " failed";
            if (result.systemError != 0) why += ": " + systemError(s_, result.systemError);
        }
        return fail(exit_code::kTransferFailed,
                    std::string(what) + ": " + why + "; " + mouseAdvice(result.systemError));
    }

    std::optional<int> findAndRead(BlockState& state) {
        if (auto code = findMouse()) return code;
        return transferFailed("reading the mouse's configuration",
                              readBlockAfterDiscovery(device_, state));
    }

    // Replaces the file whole; an exit code, after saying why, when it cannot.
    std::optional<int> written(const std::u16string& path, std::span<const std::uint8_t> bytes) {
        const WriteResult result = files_.replaceWhole(path, bytes);
        if (result.written) return std::nullopt;
        return fail(exit_code::kFileAccess,
                    utf8(path) + " cannot be written: " + systemError(s_, result.systemError) +
                        "; " + fileAdvice(result.systemError));
    }

    int dryRunDone() {
        out_ << "Dry run: nothing was sent to the mouse, no file or setting was changed\n";
        return exit_code::kSuccess;
    }

    void noteProgramRunning(const char* consequence) {
        if (s_.programRunning && s_.programRunning()) {
            err_ << "trv418ctl: note: TRV418.exe is running; " << consequence << '\n';
        }
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
        out_ << "Mouse: found\n"
             << "  command collection: " << interfaceOf(ChannelKind::Command) << '\n'
             << "  data collection: " << interfaceOf(ChannelKind::Data) << '\n';
        BlockState state;
        if (auto code = transferFailed("reading the mouse's configuration",
                                       readBlockAfterDiscovery(device_, state))) {
            return *code;
        }
        out_ << utf8(blockStatus(state.block));
        if (o_.raw) out_ << utf8(blockHexDump(state.block));
        return exit_code::kSuccess;
    }

    int backup() {
        BlockState state;
        if (auto code = findAndRead(state)) return *code;
        const BlockBackup taken{kMouseVendorId, kMouseProductId, s_.secondsSinceEpoch(),
                                state.block};
        if (auto code = written(o_.file, encodeBackup(taken))) return *code;
        if (o_.dryRun) return dryRunDone();
        out_ << "Backed up the mouse's configuration to " << utf8(o_.file) << '\n';
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
                return fail(exit_code::kFileInvalid, file + " is a backup of format " +
                                                         std::to_string(decoded.version) +
                                                         "; this tool reads format " +
                                                         std::to_string(backup::kFormatVersion));
            case BackupProblem::WrongSize:
                return fail(exit_code::kFileInvalid, file + " is damaged: it is not " +
                                                         std::to_string(backup::kSize) +
                                                         " bytes long");
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
        if (b.vendorId != kMouseVendorId || b.productId != kMouseProductId) {
            return fail(exit_code::kFileInvalid,
                        file + " is a backup of device " + hex4(b.vendorId) + ":" +
                            hex4(b.productId) + ", not of this mouse; --force restores it anyway");
        }
        if (b.sensorType() != device_.sensorType) {
            return fail(exit_code::kFileInvalid,
                        file + " was taken from a mouse with sensor type " +
                            std::to_string(b.sensorType()) + "; this one has sensor type " +
                            std::to_string(device_.sensorType) + "; --force restores it anyway");
        }
        return std::nullopt;
    }

    // Header byte 1 is the mouse's own and is never sent; everything else is.
    std::optional<int> verify(const ConfigBlock& written, const ConfigBlock& read) {
        std::size_t differing = 0;
        std::string first;
        auto compare = [&](const char* name, std::size_t at, std::uint8_t w, std::uint8_t r) {
            if (w == r) return;
            if (differing++ == 0) {
                first = std::string(name) + " " + std::to_string(at) + " (written " + hex2(w) +
                        ", read back " + hex2(r) + ")";
            }
        };
        compare("header byte", block::kReportRateCode, written.header[block::kReportRateCode],
                read.header[block::kReportRateCode]);
        for (std::size_t i = 0; i < block::kImageSize; ++i) {
            compare("image byte", i, written.image[i], read.image[i]);
        }
        if (differing == 0) return std::nullopt;
        return fail(exit_code::kVerificationFailed,
                    "verification failed: the mouse holds other values in " +
                        std::to_string(differing) + " of the " + std::to_string(kComparedBytes) +
                        " bytes written; the first is " + first);
    }

    int restore() {
        const auto bytes = s_.files.readWhole(o_.file, kMaxBackupBytes);
        if (!bytes) return readFailed(o_.file, kMaxBackupBytes);
        const DecodedBackup decoded = decodeBackup(*bytes);
        if (auto code = backupProblem(decoded)) return *code;

        BlockState current;
        if (auto code = findAndRead(current)) return *code;
        if (!o_.force) {
            if (auto code = otherDevice(decoded.backup)) return *code;
        }
        noteProgramRunning(
            "its next OK or Apply writes the block it read at its start over this one");
        const BlockState restored{decoded.backup.block, true};
        if (o_.dryRun) link().holdFrames();
        if (auto code = transferFailed("writing the mouse's configuration",
                                       WriteConfigBlock(device_, restored, s_.clock))) {
            return *code;
        }
        if (o_.dryRun) return dryRunDone();
        BlockState readBack;
        if (auto code = transferFailed("reading the configuration back",
                                       ReadConfigBlock(device_, readBack))) {
            return *code;
        }
        if (auto code = verify(restored.block, readBack.block)) return *code;
        out_ << "Restored the backup of " << utcDate(decoded.backup.date) << " from "
             << utf8(o_.file) << '\n';
        return exit_code::kSuccess;
    }

    // config.bin's record; an exit code when it cannot be used.
    std::variant<SettingsRecord, int> loadRecord() {
        if (!o_.config && !s_.files.exists(configBin_)) {
            return fail(exit_code::kFileAccess,
                        utf8(configBin_) + " does not exist; name a config.bin with --config");
        }
        const auto bytes = s_.files.readWhole(configBin_, kMaxConfigBinBytes);
        if (!bytes) return readFailed(configBin_, kMaxConfigBinBytes);
        if (bytes->size() != settings_file::kSize) {
            return fail(exit_code::kFileInvalid,
                        utf8(configBin_) + " is " + std::to_string(bytes->size()) +
                            " bytes long, not " + std::to_string(settings_file::kSize) +
                            ": not a config.bin");
        }
        SettingsRecord record;
        std::copy_n(bytes->begin() + settings_file::kRecord, rec::kSize, record.bytes.begin());
        return record;
    }

    struct Labels {
        ButtonLabels labels;
        std::u16string section;  // the interface language's
    };

    Labels loadLabels() {
        Labels loaded;
        const std::unique_ptr<ProfileStore> store = s_.openProfileStore(strIni_);
        loaded.section = text(languageFromCode(readLanguageCode(*store)), TextId::SettingsSection);
        SkinSettings unused;
        LoadIniStore(*store, loaded.section, loaded.labels, unused);
        return loaded;
    }

    int exportProfile() {
        auto record = loadRecord();
        if (const int* code = std::get_if<int>(&record)) return *code;
        const std::u16string text = ctl::exportProfile(std::get<SettingsRecord>(record),
                                                       loadLabels().labels, o_.sensor.value_or(0));
        const std::vector<std::uint8_t> bytes =
            profile::encode({profile::Encoding::Utf8WithBom, text});
        if (auto code = written(o_.file, bytes)) return *code;
        if (o_.dryRun) return dryRunDone();
        out_ << "Exported " << utf8(configBin_) << " to " << utf8(o_.file) << '\n';
        return exit_code::kSuccess;
    }

    int importProfile() {
        const auto bytes = s_.files.readWhole(o_.file, kMaxProfileBytes);
        if (!bytes) return readFailed(o_.file, kMaxProfileBytes);
        if (std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size())
                .starts_with(kBackupMagic)) {
            return fail(exit_code::kFileInvalid, utf8(o_.file) +
                                                     " is a backup of the mouse, not a profile; "
                                                     "`trv418ctl restore " +
                                                     utf8(o_.file) + "` writes it to the mouse");
        }
        // A missing or damaged config.bin beside the tool is made anew: the
        // profile's keys go over a zero record then. One named with --config
        // must be a config.bin, as it is written over.
        SettingsRecord base{};
        if (o_.config || s_.files.exists(configBin_)) {
            auto loaded = loadRecord();
            if (const int* code = std::get_if<int>(&loaded)) {
                if (o_.config || *code != exit_code::kFileInvalid) return *code;
                err_ << "trv418ctl: note: import makes it anew\n";
            } else {
                base = std::get<SettingsRecord>(loaded);
            }
        } else {
            err_ << "trv418ctl: note: " << utf8(configBin_) << " does not exist; import makes it\n";
        }
        const Labels labels = loadLabels();
        const ImportedProfile imported =
            ctl::importProfile(profile::decode(*bytes).text, base, labels.labels);
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

        // Both files are made before either is written.
        std::optional<std::vector<std::uint8_t>> strIni;
        if (imported.labelsGiven) {
            profile::Document document;
            if (s_.files.exists(strIni_)) {
                const auto old = s_.files.readWhole(strIni_, PortableProfileStore::kMaxFileBytes);
                if (!old) return readFailed(strIni_, PortableProfileStore::kMaxFileBytes);
                document = profile::decode(*old);
            }
            TextProfileStore edited(document);
            SaveIniStore(edited, labels.section, imported.labels);
            strIni = profile::encode(document);
        }
        noteProgramRunning(
            "it keeps the settings it loaded at its start, and its next OK or Apply writes "
            "them over these");
        // An imported record counts as applied: a first run would replace its
        // ticks, labels and pointer settings.
        const auto configBytes = settingsFileBytes(settings_file::kApplied, imported.record);
        if (auto code = written(configBin_, configBytes)) return *code;
        if (strIni) {
            if (auto code = written(strIni_, *strIni)) return *code;
        }
        if (o_.dryRun) return dryRunDone();
        out_ << "Imported " << utf8(o_.file) << " into " << utf8(configBin_)
             << (strIni ? " and " + utf8(strIni_) : std::string()) << '\n';
        return exit_code::kSuccess;
    }

    int apply() {
        auto record = loadRecord();
        if (const int* code = std::get_if<int>(&record)) return *code;
        noteProgramRunning(
            "it keeps showing the settings it loaded at its start until it is started again, "
            "and its next OK or Apply writes those over these");

        ConsoleWindow window(err_);
        const std::u16string modelExecutable = folder_ + std::u16string(kProgramName);
        files_.redirect(settingsFilePaths(modelExecutable).configBin, configBin_);
        std::unique_ptr<ProfileStore> strIni = s_.openProfileStore(strIni_);
        std::unique_ptr<ProfileStore> unwritten;
        if (o_.dryRun) unwritten = std::make_unique<UnwrittenProfileStore>(*strIni, out_);
        UnchangedPointer unchanged(s_.pointer, o_.dryRun ? &out_ : nullptr);
        SystemPointer& pointer = o_.dryRun || o_.noPointer ? unchanged : s_.pointer;

        const ModelServices services{
            link(), s_.clock, window, files_, unwritten ? *unwritten : *strIni, pointer};
        MainWindowModel model(services, modelExecutable);
        model.startUp();
        if (!model.mousePresent()) {
            // Discovery speaks only of a channel it could not open.
            if (window.shownAny()) {
                return fail(exit_code::kTransferFailed,
                            "the mouse cannot be opened; nothing was applied; run trv418ctl as "
                            "administrator, or plug the mouse in again");
            }
            return fail(exit_code::kMouseNotFound,
                        "the mouse was not found; nothing was applied; plug it in and run the "
                        "command again");
        }
        if (!model.blockComplete()) {
            return fail(exit_code::kTransferFailed,
                        "the mouse's configuration cannot be read; nothing was applied");
        }
        if (o_.dryRun) link().holdFrames();
        const std::optional<ApplyOutcome> applied = model.confirm();
        if (!applied || !applied->written.ok()) {
            return fail(exit_code::kTransferFailed, "the mouse did not take the configuration");
        }
        if (applied->configBin.status == SettingsFileStatus::WriteFailed) {
            return exit_code::kFileAccess;
        }
        if (o_.dryRun) return dryRunDone();
        out_ << "Applied " << utf8(configBin_) << " to the mouse\n";
        return exit_code::kSuccess;
    }

    const Options& o_;
    const Services& s_;
    std::ostream& out_;
    std::ostream& err_;
    ToolFiles files_;
    std::u16string folder_;
    std::u16string configBin_;
    std::u16string strIni_;
    VirtualMouseInFolder virtualMouse_;
    std::unique_ptr<MouseLink> link_;
    DeviceState device_;
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
