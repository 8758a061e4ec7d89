#pragma once

#include "picture/dib.h"
#include "tools/kaocg-tool/png_io.h"

namespace kaocg_tool {

// A 24- or 32-bit picture as R, G, B, A bytes, top row first. 24-bit pictures are opaque;
// 32-bit ones keep their fourth byte as alpha. Throws ToolError for other depths.
RgbaPicture DibToRgba(const picture::CDIB& picture);

}  // namespace kaocg_tool
