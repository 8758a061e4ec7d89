#pragma once

#include "tools/kaocg-tool/command.h"

namespace kaocg_tool {

// face register PREFIX SLOT LARGE MEDIUM SMALL [SLOT LARGE MEDIUM SMALL ...]: the editor's
// Load image without its dialogs, for many faces at once.
int RunFaceRegister(const Arguments& args);

}  // namespace kaocg_tool
