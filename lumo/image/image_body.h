#pragma once

// Private to the image implementation files: the body of CImageT and the channel conversions.

#include <cstdint>
#include <string>
#include <type_traits>
#include <vector>

#include "lumo/image/image.h"
#include "lumo/image/palette_image.h"
#include "lumo/image/pixel.h"

namespace lumo {
namespace detail {

// Largest number of channel values (width x height x 4) an image may hold. Texture headers
// can ask for 32768 x 32768; such sizes are refused instead of exhausting memory.
inline constexpr std::uint64_t kMaxImageValues = std::uint64_t{1} << 30;

// True when a width x height picture fits under kMaxImageValues.
inline bool SizeAllowed(std::uint32_t width, std::uint32_t height) {
    return std::uint64_t{width} * height * 4 <= kMaxImageValues;
}

template <typename Channel>
struct ImageBody {
    bool fixed = false;
    std::uint32_t tag = 0;
    std::wstring name;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::vector<Channel> pixels;
    CPaletteImage palette;
    std::uint32_t addressMode = kAddressWrap;
    float gamma = 1.0f;

    std::size_t PixelCount() const { return std::size_t{width} * height; }
    bool HasPalette() const { return palette.colorCount > 0 && !palette.palettes.empty(); }
    bool Direct() const { return !pixels.empty(); }
    bool Indexed() const { return HasPalette() && pixels.empty(); }
};

// Conversions between a stored channel value and bytes or floats.
template <typename Channel>
struct ChannelTraits;

template <>
struct ChannelTraits<float> {
    static float FromByte(std::uint8_t b) { return ByteToFloat(b); }
    static std::uint8_t ToByte(float c) { return FloatToByte(c); }
    static float FromFloat(float f) { return f; }
    static float ToFloat(float c) { return c; }
};

template <>
struct ChannelTraits<std::uint8_t> {
    static std::uint8_t FromByte(std::uint8_t b) { return b; }
    static std::uint8_t ToByte(std::uint8_t c) { return c; }
    static std::uint8_t FromFloat(float f) { return FloatToByte(f); }
    static float ToFloat(std::uint8_t c) { return ByteToFloat(c); }
};

// Colour of an index through palette 0; an index past the palette reads as transparent black.
inline CClassicImagePixel4 PaletteLookup(const CPaletteImage& picture, std::uint8_t index) {
    if (picture.palettes.empty() || index >= picture.palettes[0].size()) {
        return {};
    }
    return picture.palettes[0][index];
}

// The channel values of palette 0's colour for an index, R, G, B, A.
template <typename Channel>
void StoreColor(const CClassicImagePixel4& color, Channel* out) {
    using Traits = ChannelTraits<Channel>;
    out[0] = Traits::FromByte(color.r);
    out[1] = Traits::FromByte(color.g);
    out[2] = Traits::FromByte(color.b);
    out[3] = Traits::FromByte(color.a);
}

}  // namespace detail
}  // namespace lumo
