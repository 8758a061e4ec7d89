#include <array>
#include <iostream>
#include <string_view>

#include "kaocg/face_number_map.h"
#include "lumo/io/utf.h"
#include "roster/roster_table.h"
#include "tools/kaocg-tool/args.h"
#include "tools/kaocg-tool/command.h"
#include "tools/kaocg-tool/tool_error.h"

namespace kaocg_tool {
namespace {

int ParseEdition(std::optional<std::string_view> text) {
    if (!text) {
        FailUsage("--edition is required");
    }
    if (*text == "base") {
        return kaocg_func::kEditionBase;
    }
    if (*text == "zv") {
        return kaocg_func::kEditionZV;
    }
    FailUsage("--edition must be base or zv, not '" + std::string(*text) + "'");
}

int RunRosterList(const Arguments& args) {
    static constexpr std::array<std::string_view, 1> kOptions{"--edition"};
    const ParsedArgs parsed = ParseArgs(args, kOptions, 0);
    const int edition = ParseEdition(parsed.Option("--edition"));
    for (const roster::RosterRow& row : roster::RosterTable(edition)) {
        std::cout << row.code << '\t' << row.defaultFace << '\t' << lumo::WideToUtf8(row.name)
                  << '\n';
    }
    std::cout.flush();
    return kExitSuccess;
}

}  // namespace

std::span<const Command> RosterCommands() {
    static constexpr std::array<Command, 1> kCommands{{
        {"roster list", "--edition base|zv", &RunRosterList},
    }};
    return kCommands;
}

}  // namespace kaocg_tool
