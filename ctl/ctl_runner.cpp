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

constexpr char kHelp[] =
    "trv418ctl: status, backup and restore of the mouse, readable profiles, and the\n"
    "apply of TRV418.exe without its window.\n"
    "\n"
    "Usage: trv418ctl [options] COMMAND [FILE]\n"
    "\n"
    "Commands:\n"
    "  status        whether the mouse is there, through which interfaces, and its\n"
    "                configuration in words (--raw adds its 322 bytes in hex)\n"
    "  backup FILE   save the mouse's configuration block to FILE\n"
    "  restore FILE  write a backup to the mouse, read it back and compare\n"
    "                (--force also restores a backup taken from another device)\n"
    "  export FILE   write config.bin and the button labels of str.ini to FILE as a\n"
    "                readable profile (--sensor 0|1: the DPI table its levels are\n"
    "                written by, 0 by default)\n"
    "  import FILE   check a profile; when it has no error, write it into config.bin\n"
    "                and str.ini\n"
    "  apply         apply config.bin to the mouse as OK in TRV418.exe does, Windows\n"
    "                pointer settings included (--no-pointer leaves them alone)\n"
    "\n"
    "Options:\n"
    "  --virtual FOLDER  talk to the virtual mouse kept in FOLDER instead\n"
    "  --config PATH     the config.bin to use, str.ini beside it; by default the\n"
    "                    ones beside trv418ctl.exe\n"
    "  --dry-run         change nothing: print every frame a write would send, plain\n"
    "                    and scrambled, and write no file\n"
    "  --help, --version\n"
    "\n"
    "Exit codes: 0 success, 1 usage, 2 mouse not found, 3 transfer refused or\n"
    "failed, 4 file invalid, 5 verification failed.\n";

constexpr std::size_t kMaxProfileBytes = 1024 * 1024;
constexpr std::size_t kMaxBackupBytes = 64 * 1024;
constexpr std::u16string_view kProgramName = u"TRV418.exe";
constexpr std::u16string_view kStrIniName = u"str.ini";
constexpr std::size_t kComparedBytes = 1 + block::kImageSize;

enum class Command : std::uint8_t { Status, Backup, Restore, Export, Import, Apply };

struct CommandName {
    std::u16string_view name;
    Command command;
    bool takesFile;
};

constexpr std::array<CommandName, 6> kCommands{{
    {u"status", Command::Status, false},
    {u"backup", Command::Backup, true},
    {u"restore", Command::Restore, true},
    {u"export", Command::Export, true},
    {u"import", Command::Import, true},
    {u"apply", Command::Apply, false},
}};

struct Options {
    std::optional<Command> command;
    std::u16string file;
    std::optional<std::u16string> virtualFolder;
    std::optional<std::u16string> config;
    std::optional<std::uint8_t> sensor;
    bool dryRun = false;
    bool raw = false;
    bool force = false;
    bool noPointer = false;
    bool help = false;
    bool version = false;
};

struct UsageError {
    std::string text;
};

constexpr unsigned bitOf(Command command) {
    return 1u << static_cast<unsigned>(command);
}

// Options that belong to some commands only, so that a misplaced one is told
// rather than silently ignored.
struct CommandOption {
    std::u16string_view option;
    unsigned commands;  // bitOf each command it belongs to
    const char* commandNames;
};

constexpr CommandOption kCommandOptions[] = {
    {u"--raw", bitOf(Command::Status), "status"},
    {u"--force", bitOf(Command::Restore), "restore"},
    {u"--sensor", bitOf(Command::Export), "export"},
    {u"--no-pointer", bitOf(Command::Apply), "apply"},
    {u"--config", bitOf(Command::Export) | bitOf(Command::Import) | bitOf(Command::Apply),
     "export, import and apply"},
};

std::variant<Options, UsageError> parse(std::span<const std::u16string> args) {
    Options o;
    std::vector<std::u16string_view> positional;
    std::vector<std::u16string_view> given;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::u16string& a = args[i];
        auto value = [&]() -> std::optional<std::u16string> {
            if (i + 1 >= args.size()) return std::nullopt;
            return args[++i];
        };
        if (a == u"--help" || a == u"-h" || a == u"/?") {
            o.help = true;
        } else if (a == u"--version") {
            o.version = true;
        } else if (a == u"--dry-run") {
            o.dryRun = true;
        } else if (a == u"--raw") {
            o.raw = true;
        } else if (a == u"--force") {
            o.force = true;
        } else if (a == u"--no-pointer") {
            o.noPointer = true;
        } else if (a == u"--virtual" || a == u"--config" || a == u"--sensor") {
            const auto v = value();
            if (!v || v->empty()) return UsageError{utf8(a) + " needs a value"};
            if (a == u"--virtual") o.virtualFolder = *v;
            if (a == u"--config") o.config = *v;
            if (a == u"--sensor") {
                if (*v != u"0" && *v != u"1") return UsageError{"--sensor takes 0 or 1"};
                o.sensor = static_cast<std::uint8_t>((*v)[0] - u'0');
            }
        } else if (a.starts_with(u"--")) {
            return UsageError{"unknown option " + utf8(a)};
        } else {
            positional.push_back(a);
            continue;
        }
        given.push_back(a);
    }
    if (o.help || o.version) return o;
    if (positional.empty()) return UsageError{"no command given"};
    const auto named = std::find_if(kCommands.begin(), kCommands.end(),
                                    [&](const CommandName& c) { return c.name == positional[0]; });
    if (named == kCommands.end()) return UsageError{"unknown command " + utf8(positional[0])};
    o.command = named->command;
    const std::size_t wanted = named->takesFile ? 2 : 1;
    if (positional.size() < wanted) return UsageError{utf8(named->name) + " needs a FILE"};
    if (positional.size() > wanted) {
        return UsageError{"unexpected " + utf8(positional[wanted]) + " after " + utf8(named->name)};
    }
    if (named->takesFile) o.file = std::u16string(positional[1]);
    for (const CommandOption& option : kCommandOptions) {
        const bool used = std::find(given.begin(), given.end(), option.option) != given.end();
        const bool fits = (option.commands & bitOf(*o.command)) != 0;
        if (used && !fits) {
            return UsageError{utf8(option.option) + " is an option of " + option.commandNames};
        }
    }
    return o;
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
            return fail(exit_code::kTransferFailed,
                        "the mouse cannot be opened: CreateFile error " +
                            utf8(errorNumberText(*found.channelOpenError)));
        }
        if (!found.found) {
            return fail(exit_code::kMouseNotFound, "the mouse (vendor " + hex4(kMouseVendorId) +
                                                       ", product " + hex4(kMouseProductId) +
                                                       ") was not found");
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
            if (result.systemError != 0)
                why += " with error " + utf8(errorNumberText(result.systemError));
        }
        return fail(exit_code::kTransferFailed, std::string(what) + ": " + why);
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
        return fail(exit_code::kFileInvalid, utf8(path) + " cannot be written: error " +
                                                 utf8(errorNumberText(result.systemError)));
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
                return fail(exit_code::kFileInvalid, file + " is not a trv418ctl backup");
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
        if (!bytes) return fail(exit_code::kFileInvalid, utf8(o_.file) + " cannot be read");
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
        const auto bytes = s_.files.readWhole(configBin_, settings_file::kSize + 1);
        if (!bytes) return fail(exit_code::kFileInvalid, utf8(configBin_) + " cannot be read");
        if (bytes->size() != settings_file::kSize) {
            return fail(exit_code::kFileInvalid,
                        utf8(configBin_) + " is " + std::to_string(bytes->size()) +
                            " bytes long, not " + std::to_string(settings_file::kSize));
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
        if (!bytes) return fail(exit_code::kFileInvalid, utf8(o_.file) + " cannot be read");
        // A missing or damaged config.bin is replaced: the profile's keys go
        // over a zero record then.
        auto loaded = loadRecord();
        const SettingsRecord base = std::holds_alternative<SettingsRecord>(loaded)
                                        ? std::get<SettingsRecord>(loaded)
                                        : SettingsRecord{};
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
                if (!old) return fail(exit_code::kFileInvalid, utf8(strIni_) + " cannot be read");
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
                            "the mouse cannot be opened; nothing was applied");
            }
            return fail(exit_code::kMouseNotFound, "the mouse was not found; nothing was applied");
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
            return exit_code::kFileInvalid;
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
        err << "trv418ctl: " << usage->text << "\nRun trv418ctl --help for the commands.\n";
        return exit_code::kUsage;
    }
    const Options& options = std::get<Options>(parsed);
    if (options.help) {
        out << kHelp;
        return exit_code::kSuccess;
    }
    if (options.version) {
        out << "trv418ctl " << TRV_VERSION << '\n';
        return exit_code::kSuccess;
    }
    return Tool(options, services, out, err).run();
}

}  // namespace trv::ctl
