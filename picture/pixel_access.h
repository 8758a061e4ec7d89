#pragma once

#include <cstdint>
#include <span>

#include "picture/bitmap_header.h"

namespace picture {

struct Colour {
    std::uint8_t blue = 0;
    std::uint8_t green = 0;
    std::uint8_t red = 0;
};

// How one picture's pixels are laid out: bit count, the 16-bit field layout, and the colour
// table that indexed pixels refer to.
struct PixelLayout {
    std::uint32_t bitCount = 0;
    bool is565 = false;  // 16 bits as 5-6-5; otherwise 5-5-5 with the top bit unused
    std::span<const RGBQUAD> table;
};

// Field widening that repeats the top bits, so that the largest field value becomes 255.
constexpr std::uint8_t Widen5(std::uint32_t v) {
    return static_cast<std::uint8_t>((v << 3) | (v >> 2));
}
constexpr std::uint8_t Widen6(std::uint32_t v) {
    return static_cast<std::uint8_t>((v << 2) | (v >> 4));
}

// The raw value of pixel x of a row: an index, the 16-bit word, 0xRRGGBB for 24 bits or the
// whole little-endian 32-bit word. The row must hold pixel x.
std::uint32_t ReadRaw(const std::uint8_t* row, std::uint32_t bitCount, std::uint64_t x);
void WriteRaw(std::uint8_t* row, std::uint32_t bitCount, std::uint64_t x, std::uint32_t raw);

// Indices beyond the colour table give black.
Colour RawToColour(std::uint32_t raw, const PixelLayout& layout);
// Indexed layouts take the nearest table entry (index 0 without a table); a 32-bit pixel gets
// 0 in its fourth byte.
std::uint32_t ColourToRaw(Colour colour, const PixelLayout& layout);

}  // namespace picture
