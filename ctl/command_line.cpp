#include "ctl/command_line.h"

#include <algorithm>
#include <array>
#include <vector>

#include "settings/profile_words.h"

namespace trv::ctl {

using namespace readable;

namespace {

constexpr char kOverview[] =
    "trv418ctl: status, backup and restore of the mouse, readable profiles, and the\n"
    "apply of TRV418.exe without its window.\n"
    "\n"
    "Usage: trv418ctl COMMAND [FILE] [options]\n"
    "       trv418ctl help COMMAND   the use of one command, with an example\n"
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
    "Options, before or after the command, as --name VALUE or --name=VALUE:\n"
    "  --virtual FOLDER      talk to the virtual mouse kept in FOLDER instead; a\n"
    "                        folder without one is refused (exit code 2)\n"
    "  --virtual-new FOLDER  make a virtual mouse fresh from the factory in FOLDER\n"
    "                        (over one kept there) and talk to it\n"
    "  --config PATH         the config.bin to use, str.ini beside it; by default the\n"
    "                        ones beside trv418ctl.exe (export, import, apply)\n"
    "  --dry-run             change nothing: print every frame a write would send,\n"
    "                        plain and scrambled, and write no file\n"
    "  --help, --version\n"
    "\n"
    "Exit codes: 0 success, 1 usage, 2 mouse not found, 3 transfer refused or\n"
    "failed, 4 file invalid (damaged, another format or device, or a profile with\n"
    "problems), 5 verification failed, 6 a file cannot be read or written.\n";

constexpr char kVirtualNote[] =
    "\n--virtual FOLDER or --virtual-new FOLDER use a virtual mouse instead of the\n"
    "real one.\n";

struct CommandSpec {
    std::u16string_view name;
    Command command;
    bool takesFile;
    const char* help;
};

constexpr std::array<CommandSpec, 6> kCommands{{
    {u"status", Command::Status, false,
     "Usage: trv418ctl status [--raw]\n"
     "\n"
     "Tells whether the mouse is there, through which interfaces it was opened, and\n"
     "its configuration in words; --raw adds the 322 bytes of its block in hex.\n"
     "Exit code 2 when the mouse is not found.\n"
     "\n"
     "Example:\n"
     "  trv418ctl status --raw\n"},
    {u"backup", Command::Backup, true,
     "Usage: trv418ctl backup FILE [--config PATH]\n"
     "\n"
     "Saves the whole configuration to FILE: the mouse's block, config.bin and the\n"
     "button labels of every language in str.ini, with the device, its sensor\n"
     "type, the date and a checksum. restore puts all of it back.\n"
     "\n"
     "Example:\n"
     "  trv418ctl backup mouse.trvb\n"},
    {u"restore", Command::Restore, true,
     "Usage: trv418ctl restore FILE [--force] [--config PATH] [--dry-run]\n"
     "\n"
     "Writes a backup to the mouse, reads it back and compares; then, and only\n"
     "then, puts its config.bin and button labels back (the language, skin and\n"
     "colours in str.ini stay as they are). A backup of the mouse's block alone\n"
     "changes no file. A damaged file, a file of another format and a backup of\n"
     "another device or sensor type are refused; --force restores a backup of\n"
     "another device or sensor type anyway. --dry-run prints the frames the write\n"
     "would send and sends none.\n"
     "\n"
     "Example:\n"
     "  trv418ctl restore mouse.trvb\n"},
    {u"export", Command::Export, true,
     "Usage: trv418ctl export FILE [--sensor 0|1] [--config PATH]\n"
     "\n"
     "Writes config.bin and the button labels of str.ini to FILE as a readable\n"
     "profile in UTF-8, to be changed and imported. DPI levels are written by the\n"
     "labels of sensor type 0's table, or of sensor type 1's with --sensor 1.\n"
     "\n"
     "Example:\n"
     "  trv418ctl export profile.ini --sensor=1\n"},
    {u"import", Command::Import, true,
     "Usage: trv418ctl import FILE [--config PATH] [--dry-run]\n"
     "\n"
     "Checks every line of a profile and reports each problem with its line\n"
     "number; with no problem it writes the profile into config.bin and str.ini.\n"
     "Keys left out keep their values. A value is one of the words export writes\n"
     "and the program offers; a backup is not a profile (restore writes it).\n"
     "\n"
     "Example:\n"
     "  trv418ctl import profile.ini --config D:\\TRV418\\config.bin\n"},
    {u"apply", Command::Apply, false,
     "Usage: trv418ctl apply [--no-pointer] [--config PATH] [--dry-run]\n"
     "\n"
     "Applies config.bin to the mouse as OK in TRV418.exe does, the Windows pointer\n"
     "settings included; --no-pointer leaves those alone.\n"
     "\n"
     "Example:\n"
     "  trv418ctl apply --no-pointer\n"},
}};

const CommandSpec& specOf(Command command) {
    return kCommands[static_cast<std::size_t>(command)];
}

const CommandSpec* namedCommand(std::u16string_view name) {
    const auto named = std::find_if(kCommands.begin(), kCommands.end(),
                                    [&](const CommandSpec& c) { return c.name == name; });
    return named == kCommands.end() ? nullptr : &*named;
}

constexpr unsigned bitOf(Command command) {
    return 1u << static_cast<unsigned>(command);
}

constexpr unsigned kMouseCommands = bitOf(Command::Status) | bitOf(Command::Backup) |
                                    bitOf(Command::Restore) | bitOf(Command::Apply);

// Options that belong to some commands only.
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
    {u"--config",
     bitOf(Command::Backup) | bitOf(Command::Restore) | bitOf(Command::Export) |
         bitOf(Command::Import) | bitOf(Command::Apply),
     "backup, restore, export, import and apply"},
    {u"--virtual", kMouseCommands, "status, backup, restore and apply"},
    {u"--virtual-new", kMouseCommands, "status, backup, restore and apply"},
};

constexpr std::u16string_view kValueOptions[] = {u"--virtual", u"--virtual-new", u"--config",
                                                 u"--sensor"};
constexpr std::u16string_view kFlagOptions[] = {u"--help", u"--version", u"--dry-run",
                                                u"--raw",  u"--force",   u"--no-pointer"};

template <std::size_t N>
bool among(const std::u16string_view (&list)[N], std::u16string_view name) {
    return std::find(std::begin(list), std::end(list), name) != std::end(list);
}

UsageError usage(std::string text, std::optional<Command> command = std::nullopt) {
    return UsageError{std::move(text), command};
}

}  // namespace

bool reachesMouse(Command command) {
    return (kMouseCommands & bitOf(command)) != 0;
}

std::variant<Options, UsageError> parse(std::span<const std::u16string> args) {
    Options o;
    std::vector<std::u16string_view> positional;
    std::vector<std::u16string_view> given;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::u16string_view a = args[i];
        if (optionsEnded || !(a.starts_with(u"--") || a == u"-h" || a == u"/?")) {
            positional.push_back(a);
            continue;
        }
        if (a == u"--") {
            optionsEnded = true;
            continue;
        }
        if (a == u"-h" || a == u"/?") {
            o.help = true;
            continue;
        }
        const std::size_t equals = a.find(u'=');
        const std::u16string_view name = a.substr(0, equals);
        std::optional<std::u16string> value;
        if (equals != std::u16string_view::npos) value = std::u16string(a.substr(equals + 1));
        if (among(kFlagOptions, name)) {
            if (value) return usage(utf8(name) + " takes no value");
            o.help |= name == u"--help";
            o.version |= name == u"--version";
            o.dryRun |= name == u"--dry-run";
            o.raw |= name == u"--raw";
            o.force |= name == u"--force";
            o.noPointer |= name == u"--no-pointer";
        } else if (among(kValueOptions, name)) {
            if (!value && i + 1 < args.size()) value = args[++i];
            if (!value || value->empty()) return usage(utf8(name) + " needs a value");
            if (name == u"--virtual" || name == u"--virtual-new") {
                if (o.virtualFolder && o.virtualNew != (name == u"--virtual-new")) {
                    return usage("--virtual and --virtual-new cannot be used together");
                }
                o.virtualFolder = *value;
                o.virtualNew = name == u"--virtual-new";
            } else if (name == u"--config") {
                o.config = *value;
            } else if (*value == u"0" || *value == u"1") {
                o.sensor = static_cast<std::uint8_t>((*value)[0] - u'0');
            } else {
                return usage("--sensor takes 0 or 1", Command::Export);
            }
        } else {
            return usage("unknown option " + utf8(a));
        }
        given.push_back(name);
    }

    if (!positional.empty() && positional[0] == u"help") {
        o.help = true;
        positional.erase(positional.begin());
    }
    if (o.version && !o.help) return o;
    if (positional.empty()) {
        if (o.help) return o;
        return usage("no command given");
    }
    const CommandSpec* named = namedCommand(positional[0]);
    if (named == nullptr) return usage("unknown command " + utf8(positional[0]));
    o.command = named->command;
    if (o.help) return o;  // `import FILE --help` asks for the use of import
    const std::size_t wanted = named->takesFile ? 2 : 1;
    if (positional.size() < wanted) {
        return usage(utf8(named->name) + " needs a FILE", named->command);
    }
    if (positional.size() > wanted) {
        return usage("unexpected " + utf8(positional[wanted]) + " after " + utf8(named->name),
                     named->command);
    }
    if (named->takesFile) o.file = std::u16string(positional[1]);
    for (const CommandOption& option : kCommandOptions) {
        const bool used = std::find(given.begin(), given.end(), option.option) != given.end();
        if (used && (option.commands & bitOf(named->command)) == 0) {
            return usage(utf8(option.option) + " is an option of " + option.commandNames,
                         named->command);
        }
    }
    return o;
}

std::string helpText(std::optional<Command> command) {
    if (!command) return kOverview;
    std::string text = specOf(*command).help;
    if (reachesMouse(*command)) text += kVirtualNote;
    return text;
}

std::string usageHint(const UsageError& error) {
    if (error.command) {
        return "Run trv418ctl help " + utf8(specOf(*error.command).name) + " for its use.";
    }
    return "Run trv418ctl --help for the commands.";
}

}  // namespace trv::ctl
