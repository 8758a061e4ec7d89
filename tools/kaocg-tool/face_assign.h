#pragma once

#include "tools/kaocg-tool/command.h"

namespace kaocg_tool {

// face assign PREFIX CODE FACE [CODE FACE ...]: gives generals faces, as Change image does,
// and writes the face-assignment file as Save does (with its backup), for many at once.
int RunFaceAssign(const Arguments& args);

}  // namespace kaocg_tool
