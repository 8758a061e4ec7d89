#pragma once

#include <cstdint>

namespace kaocg_demo {

// A 5 x 7 bitmap font of the ten digits, drawn at whole-number scales so that the face
// numbers stay crisp even in the 60-pixel faces.
constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 7;
constexpr int kGlyphAdvance = kGlyphWidth + 1;

// Whether the glyph of digit (0..9) covers cell (x, y), x from the left, y from the top.
bool GlyphCell(int digit, int x, int y);

}  // namespace kaocg_demo
