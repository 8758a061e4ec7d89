// kaocg-tool: the command-line companion of the editor. Each command family hands over its
// table; main picks the command from the leading words and turns failures into one line.
#include <algorithm>
#include <array>
#include <iostream>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "tools/kaocg-tool/command.h"
#include "tools/kaocg-tool/tool_error.h"
#ifdef _WIN32
#include "tools/kaocg-tool/windows_console.h"
#endif

namespace kaocg_tool {
namespace {

using Family = std::span<const Command> (*)();
constexpr std::array<Family, 8> kFamilies{&G1tCommands,  &DemoCommands,   &RosterCommands,
                                          &IdsCommands,  &EnvCommands,    &PictureCommands,
                                          &FaceCommands, &ArchiveCommands};

std::vector<std::string_view> Words(std::string_view name) {
    std::vector<std::string_view> words;
    while (!name.empty()) {
        const std::size_t space = std::min(name.find(' '), name.size());
        words.push_back(name.substr(0, space));
        name.remove_prefix(std::min(space + 1, name.size()));
    }
    return words;
}

// The command whose words begin args; the longest name wins, so "a b" beats "a".
const Command* FindCommand(const Arguments& args, std::size_t& wordCount) {
    const Command* found = nullptr;
    wordCount = 0;
    for (Family family : kFamilies) {
        for (const Command& command : family()) {
            const auto words = Words(command.name);
            if (words.size() > wordCount && words.size() <= args.size() &&
                std::equal(words.begin(), words.end(), args.begin())) {
                found = &command;
                wordCount = words.size();
            }
        }
    }
    return found;
}

void PrintUsage() {
    std::cout << "usage: kaocg-tool COMMAND [ARGUMENTS]\ncommands:\n";
    for (Family family : kFamilies) {
        for (const Command& command : family()) {
            std::cout << "  kaocg-tool " << command.name << ' ' << command.synopsis << '\n';
        }
    }
    std::cout.flush();
}

bool IsHelp(std::string_view word) {
    return word == "help" || word == "--help" || word == "-h";
}

int RunCommand(const Command& command, const Arguments& args) {
    try {
        return command.run(args);
    } catch (const ToolError& error) {
        if (error.ExitCode() != kExitUsage) {
            throw;
        }
        FailUsage(std::string(command.name) + ": " + error.what() + "; usage: kaocg-tool " +
                  std::string(command.name) + ' ' + std::string(command.synopsis));
    }
}

int Run(const Arguments& args) {
    if (!args.empty() && IsHelp(args[0])) {
        PrintUsage();
        return kExitSuccess;
    }
    std::size_t wordCount = 0;
    const Command* command = FindCommand(args, wordCount);
    if (!command) {
        // The usage goes to standard output so that the error stays one line.
        PrintUsage();
        FailUsage(args.empty() ? "no command given" : "unknown command '" + args[0] + "'");
    }
    return RunCommand(*command,
                      Arguments(args.begin() + static_cast<std::ptrdiff_t>(wordCount), args.end()));
}

// A path or a library message may hold line breaks; the diagnostic must stay one line.
void PrintError(std::string message) {
    std::replace_if(
        message.begin(), message.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    std::cerr << "kaocg-tool: " << message << std::endl;
}

}  // namespace
}  // namespace kaocg_tool

int main(int argc, char** argv) {
    using namespace kaocg_tool;
    try {
#ifdef _WIN32
        PrepareConsole();
        return Run(CommandLineArguments(argc, argv));
#else
        return Run(Arguments(argv + 1, argv + argc));
#endif
    } catch (const ToolError& error) {
        PrintError(error.what());
        return error.ExitCode();
    } catch (const std::bad_alloc&) {
        PrintError("out of memory");
    } catch (const std::exception& error) {
        PrintError(error.what());
    }
    return kExitFailure;
}
