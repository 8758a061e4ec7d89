#pragma once

#include <cstdint>
#include <vector>

#include "lumo/image/pixel.h"

namespace lumo {

// An indexed picture: one index byte per pixel, row-major, and an array of palettes of which
// only palette 0 turns indexes into colours.
struct CPaletteImage {
    std::vector<std::uint8_t> indices;
    std::vector<std::vector<CClassicImagePixel4>> palettes;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t colorCount = 0;  // 16 or 256; 0 for no palette
};

}  // namespace lumo
