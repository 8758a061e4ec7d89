#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kaocg_tool {

// The words of the command line after the words that name the command.
using Arguments = std::vector<std::string>;

// One subcommand. Each command family lives in its own file and hands main its table.
struct Command {
    std::string_view name;      // the words that select it, e.g. "g1t info"
    std::string_view synopsis;  // its arguments, for the usage text
    // Returns the exit code; failures are thrown as ToolError.
    int (*run)(const Arguments& args);
};

std::span<const Command> G1tCommands();
std::span<const Command> DemoCommands();
std::span<const Command> RosterCommands();
std::span<const Command> IdsCommands();
std::span<const Command> EnvCommands();
std::span<const Command> PictureCommands();
std::span<const Command> FaceCommands();
std::span<const Command> ArchiveCommands();

}  // namespace kaocg_tool
