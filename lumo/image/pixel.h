#pragma once

#include <cstdint>

namespace lumo {

// Channel mask bits of byte buffers: which channels a pixel group carries, in this order.
enum ChannelMask : std::uint32_t {
    kChannelR = 1,
    kChannelG = 2,
    kChannelB = 4,
    kChannelA = 8,
    kChannelRGBA = 15,
};

struct CImagePixel4 {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    float a = 0.0f;
};

struct CClassicImagePixel4 {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    std::uint8_t a = 0;
};
static_assert(sizeof(CImagePixel4) == 16);
static_assert(sizeof(CClassicImagePixel4) == 4);

// Byte to channel value: 0 -> 0.0 and 255 -> 1.0 exactly.
inline float ByteToFloat(std::uint8_t b) { return static_cast<float>(b / 255.0); }

// Channel value to byte: clamp to 0..1, scale by 255 in double precision, truncate. Equal, for
// every float, to the image's export rule (product rounded to float, clipped to 255.999,
// truncated); a NaN gives 0.
inline std::uint8_t FloatToByte(float f) {
    if (!(f > 0.0f)) {
        return 0;
    }
    if (f > 1.0f) {
        f = 1.0f;
    }
    return static_cast<std::uint8_t>(static_cast<double>(f) * 255.0);
}

}  // namespace lumo
