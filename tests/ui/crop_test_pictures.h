#pragma once

#include <QPushButton>
#include <cstdint>

#include "picture/dib.h"

namespace croptest {

// Every pixel of a test picture tells where it came from: blue and green the low bytes of x
// and y, red their high bits.
inline std::uint32_t ColourAt(int x, int y) {
    const std::uint32_t red = static_cast<std::uint32_t>(((x >> 8) & 0xF) | ((y >> 8) & 0xF) << 4);
    return red << 16 | static_cast<std::uint32_t>(y & 0xFF) << 8 |
           static_cast<std::uint32_t>(x & 0xFF);
}

// A 24-bit bottom-up picture whose pixels are ColourAt.
inline picture::CDIB CoordinatePicture(int width, int height) {
    picture::CDIB dib = *picture::CDIB::CreateWithPixels(width, -height, {}, 24);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = dib.PixelAddress(x, y);
            const std::uint32_t c = ColourAt(x, y);
            p[0] = static_cast<std::uint8_t>(c);
            p[1] = static_cast<std::uint8_t>(c >> 8);
            p[2] = static_cast<std::uint8_t>(c >> 16);
        }
    }
    return dib;
}

// 0xRRGGBB of a 24-bit picture's pixel.
inline std::uint32_t PixelOf(const picture::CDIB& dib, int x, int y) {
    const std::uint8_t* p = dib.PixelAddress(x, y);
    return static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[1]) << 8 | p[0];
}

}  // namespace croptest
