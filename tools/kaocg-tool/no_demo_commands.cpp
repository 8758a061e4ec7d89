// The Windows build has no stand-in installation: that is a Wine prefix, written for Linux.
#include "tools/kaocg-tool/command.h"

namespace kaocg_tool {

std::span<const Command> DemoCommands() {
    return {};
}

}  // namespace kaocg_tool
