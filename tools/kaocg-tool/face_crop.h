#pragma once

#include "tools/kaocg-tool/command.h"

namespace kaocg_tool {

// face crop FILE OUT.png --size large|medium|small [--frame X,Y,W,H] [--rotate 0|90|180|270]
// [--nearest]: the crop dialog's "決定" without the dialog. The picture is read upright,
// turned clockwise by --rotate, and the frame (upright coordinates; by default the dialog's
// first frame) is scaled to the face and written as a PNG.
int RunFaceCrop(const Arguments& args);

}  // namespace kaocg_tool
