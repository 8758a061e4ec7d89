#include "tools/kaocg-tool/g1t_commands.h"

#include <array>

namespace kaocg_tool {

std::span<const Command> G1tCommands() {
    static constexpr std::array<Command, 3> kCommands{{
        {"g1t info", "FILE", &RunG1tInfo},
        {"g1t decode", "FILE OUT.png [--texture N] [--level L]", &RunG1tDecode},
        {"g1t encode", "IN.png OUT.g1t --format NAME [--platform P] [--levels N] [--filter F]",
         &RunG1tEncode},
    }};
    return kCommands;
}

}  // namespace kaocg_tool
