#pragma once
// trv418ctl's command line: the commands, the options each takes, and the
// help texts. Options may come before or after the command, as `--name
// VALUE` or `--name=VALUE`; an option that does not belong to the command is
// a mistake rather than something silently ignored.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <variant>

namespace trv::ctl {

enum class Command : std::uint8_t { Status, Backup, Restore, Export, Import, Apply };

struct Options {
    std::optional<Command> command;  // with help: the command whose use is asked for
    std::u16string file;
    std::optional<std::u16string> virtualFolder;
    bool virtualNew = false;  // --virtual-new: a fresh virtual mouse is made in virtualFolder
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
    std::optional<Command> command;  // the command it concerns, when one was named
};

// `args` without the program's name.
std::variant<Options, UsageError> parse(std::span<const std::u16string> args);

// The overview of every command and option, or one command's use with an example.
std::string helpText(std::optional<Command> command = std::nullopt);

// What follows a usage error: where to read the use of what was mistaken.
std::string usageHint(const UsageError& error);

// Commands that talk to the mouse, and so take --virtual and --virtual-new.
bool reachesMouse(Command command);

}  // namespace trv::ctl
