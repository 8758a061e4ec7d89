#pragma once

#include <cstdint>
#include <span>

#include "picture/dib.h"

namespace picture {

// Turns a picture just decoded from `file` upright by the file's EXIF orientation, so that
// everything after the reader works in upright coordinates. The readers widen rows to whole
// groups of pixels; before a turn those added columns are cut off, so that they do not become
// black rows or columns at the top or left. A file without orientation (every BMP) leaves the
// picture untouched. False, with the picture unchanged, only when memory is short.
bool TurnUpright(CDIB& picture, std::span<const std::uint8_t> file);

}  // namespace picture
