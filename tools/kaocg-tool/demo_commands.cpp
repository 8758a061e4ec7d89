#include <algorithm>
#include <array>
#include <chrono>
#include <iostream>
#include <string_view>

#include "tools/demo/install_writer.h"
#include "tools/kaocg-tool/args.h"
#include "tools/kaocg-tool/command.h"
#include "tools/kaocg-tool/tool_error.h"

namespace kaocg_tool {
namespace {

kaocg_demo::DemoEditions ParseEditions(std::string_view text) {
    if (text == "base") {
        return kaocg_demo::DemoEditions::kBase;
    }
    if (text == "zv") {
        return kaocg_demo::DemoEditions::kZV;
    }
    if (text == "both") {
        return kaocg_demo::DemoEditions::kBoth;
    }
    FailUsage("--edition must be base, zv or both, not '" + std::string(text) + "'");
}

int RunMakeDemoInstall(const Arguments& args) {
    Arguments rest = args;
    kaocg_demo::DemoInstallOptions options;
    options.blank = TakeFlag(rest, "--blank");
    static constexpr std::array<std::string_view, 1> kOptions{"--edition"};
    const ParsedArgs parsed = ParseArgs(rest, kOptions, 1);
    options.prefix = parsed.positional[0];
    options.editions = ParseEditions(parsed.Option("--edition").value_or("zv"));
    const auto start = std::chrono::steady_clock::now();
    std::string error;
    if (!kaocg_demo::WriteDemoInstall(options, error)) {
        Fail(error);
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    std::cout << "wrote a demo install in " << options.prefix << " (" << took.count() << " s)"
              << std::endl;
    return kExitSuccess;
}

}  // namespace

std::span<const Command> DemoCommands() {
    static constexpr std::array<Command, 1> kCommands{{
        {"make-demo-install", "PREFIX [--edition base|zv|both] [--blank]", &RunMakeDemoInstall},
    }};
    return kCommands;
}

}  // namespace kaocg_tool
