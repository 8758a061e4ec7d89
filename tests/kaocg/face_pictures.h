#pragma once

// Registration pictures with a colour that differs at every pixel, and readers of the bytes
// of a slot that the editor wrote (44 bytes of G1T headers, then B, G, R, A per pixel).

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "picture/dib.h"

namespace kaocg_test {

struct Bgr {
    std::uint8_t b;
    std::uint8_t g;
    std::uint8_t r;
};

// Never white, and no channel is 0 in the top-left 64 x 64 pixels, so a kept colour, a mask
// ORed into it and a colour set to black all show.
inline Bgr PatternColour(std::uint32_t x, std::uint32_t y) {
    return {static_cast<std::uint8_t>(1 + (x * 3 + y) % 200),
            static_cast<std::uint8_t>(1 + (y * 5 + x) % 200),
            static_cast<std::uint8_t>(0x10 | ((x ^ y) & 0x6F))};
}

// A side x side 24-bit picture of PatternColour, in either row order.
inline picture::CDIB PatternPicture(std::int32_t side, bool topDown = true) {
    const std::size_t stride = static_cast<std::size_t>(side) * 3;
    std::vector<std::uint8_t> pixels(stride * static_cast<std::size_t>(side));
    for (std::int32_t y = 0; y < side; ++y) {
        const std::int32_t row = topDown ? y : side - 1 - y;
        for (std::int32_t x = 0; x < side; ++x) {
            const Bgr c =
                PatternColour(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y));
            std::uint8_t* p = &pixels[static_cast<std::size_t>(row) * stride + 3 * x];
            p[0] = c.b;
            p[1] = c.g;
            p[2] = c.r;
        }
    }
    // The creation takes a positive height as top-down.
    return *picture::CDIB::CreateWithPixels(side, topDown ? side : -side, std::move(pixels), 24);
}

constexpr std::size_t kEditorG1tHeaderSize = 44;

// B, G, R, A of pixel (x, y) of a side x side texture the editor wrote into slot.
inline std::array<std::uint8_t, 4> SlotPixel(std::span<const std::uint8_t> slot, std::uint32_t side,
                                             std::uint32_t x, std::uint32_t y) {
    const std::size_t at = kEditorG1tHeaderSize + (std::size_t{y} * side + x) * 4;
    return {slot[at], slot[at + 1], slot[at + 2], slot[at + 3]};
}

inline std::array<std::uint8_t, 4> Bgra(Bgr c, std::uint8_t alpha) {
    return {c.b, c.g, c.r, alpha};
}

}  // namespace kaocg_test
