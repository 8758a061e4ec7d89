#pragma once

#include "tools/kaocg-tool/command.h"

namespace kaocg_tool {

// Makes standard output and error carry the same bytes as on Linux. Windows builds only.
void PrepareConsole();
// The command line after the program's name, in UTF-8 whatever the system's code page.
Arguments CommandLineArguments(int argc, char** argv);

}  // namespace kaocg_tool
