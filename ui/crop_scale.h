#pragma once

#include <optional>

#include "picture/dib.h"

namespace ui {

// The region (left, top, width, height) of a 24-bit picture stretched to a new 24-bit
// bottom-up picture of targetWidth x targetHeight. Each target pixel takes the one source
// pixel it falls on, with no blending; pixels outside the source are black. Nothing when the
// source is not 24-bit, a target extent is not positive, or memory is short.
std::optional<picture::CDIB> ScaleRegion(const picture::CDIB& source, int left, int top, int width,
                                         int height, int targetWidth, int targetHeight);

}  // namespace ui
