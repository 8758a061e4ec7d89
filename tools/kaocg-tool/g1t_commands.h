#pragma once

#include "tools/kaocg-tool/command.h"

namespace kaocg_tool {

int RunG1tInfo(const Arguments& args);
int RunG1tDecode(const Arguments& args);
int RunG1tEncode(const Arguments& args);

}  // namespace kaocg_tool
