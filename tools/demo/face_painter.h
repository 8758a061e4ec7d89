#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kaocg_demo {

// Where a face lies in its texture: the top-left visibleWidth x visibleHeight pixels of a
// side x side texture; the rest stays transparent black.
struct FaceGeometry {
    std::uint32_t side = 0;
    std::uint32_t visibleWidth = 0;
    std::uint32_t visibleHeight = 0;
    std::uint32_t labelScale = 1;  // pixels per cell of the digit font
};

// The geometry of a face size index: 0 small (60 x 60 of 64), 1 medium (96 x 120 of 128),
// 2 large (240 x 240 of 256). Anything else gives the small geometry.
FaceGeometry FaceGeometryOf(int size);

// The plate at the bottom of a face that shows its number, and the digits on it. The plate
// lies on the 4-pixel grid, so that block compression never mixes it with the face around
// it and the digits survive DXT.
struct NumberLabel {
    std::string digits;   // empty for a negative number: no plate then
    std::uint32_t x = 0;  // top-left corner of the first glyph
    std::uint32_t y = 0;
    std::uint32_t scale = 1;
    std::uint32_t plateX = 0;
    std::uint32_t plateY = 0;
    std::uint32_t plateWidth = 0;
    std::uint32_t plateHeight = 0;
};

NumberLabel NumberLabelOf(const FaceGeometry& geometry, std::int32_t faceNumber);

// Colours of the plate and of the digits on it.
constexpr std::uint8_t kPlateGrey = 236;
constexpr std::uint8_t kDigitGrey = 24;

// A stylised head whose colours, hair, beard, eyes and mouth follow from the face number, with
// the number on a plate: side x side pixels, four bytes R, G, B, A each, top row first.
std::vector<std::uint8_t> PaintFace(std::int32_t faceNumber, const FaceGeometry& geometry);

}  // namespace kaocg_demo
