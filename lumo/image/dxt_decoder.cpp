#include "lumo/image/dxt_decoder.h"

#include <array>

#include "lumo/io/pixel_format.h"

namespace lumo {
namespace {

using Codes = std::array<std::uint8_t, 16>;  // four colours of R, G, B, A

int Unpack565(const std::uint8_t* packed, std::uint8_t* colour) {
    const int value = packed[0] | (packed[1] << 8);
    const int red = (value >> 11) & 0x1F;
    const int green = (value >> 5) & 0x3F;
    const int blue = value & 0x1F;
    colour[0] = static_cast<std::uint8_t>((red << 3) | (red >> 2));
    colour[1] = static_cast<std::uint8_t>((green << 2) | (green >> 4));
    colour[2] = static_cast<std::uint8_t>((blue << 3) | (blue >> 2));
    colour[3] = 255;
    return value;
}

// DXT1 blocks whose first endpoint is not above the second have three colours and a
// transparent black; every other block has four opaque colours.
void DecodeColours(const std::uint8_t* block, bool isDxt1, std::uint8_t* rgba) {
    Codes codes{};
    const int a = Unpack565(block, codes.data());
    const int b = Unpack565(block + 2, codes.data() + 4);
    const bool threeColours = isDxt1 && a <= b;
    for (int i = 0; i < 3; ++i) {
        const int c = codes[i];
        const int d = codes[4 + i];
        codes[8 + i] = static_cast<std::uint8_t>(threeColours ? (c + d) / 2 : (2 * c + d) / 3);
        codes[12 + i] = static_cast<std::uint8_t>(threeColours ? 0 : (c + 2 * d) / 3);
    }
    codes[11] = 255;
    codes[15] = threeColours ? 0 : 255;
    for (int i = 0; i < 16; ++i) {
        const int index = (block[4 + i / 4] >> (2 * (i % 4))) & 3;
        for (int j = 0; j < 4; ++j) {
            rgba[4 * i + j] = codes[4 * index + j];
        }
    }
}

void DecodeExplicitAlpha(const std::uint8_t* block, std::uint8_t* rgba) {
    for (int i = 0; i < 8; ++i) {
        const int low = block[i] & 0x0F;
        const int high = block[i] & 0xF0;
        rgba[8 * i + 3] = static_cast<std::uint8_t>(low | (low << 4));
        rgba[8 * i + 7] = static_cast<std::uint8_t>(high | (high >> 4));
    }
}

void DecodeInterpolatedAlpha(const std::uint8_t* block, std::uint8_t* rgba) {
    const int alpha0 = block[0];
    const int alpha1 = block[1];
    std::array<std::uint8_t, 8> codes{static_cast<std::uint8_t>(alpha0),
                                      static_cast<std::uint8_t>(alpha1)};
    if (alpha0 <= alpha1) {
        for (int i = 1; i < 5; ++i) {
            codes[1 + i] = static_cast<std::uint8_t>(((5 - i) * alpha0 + i * alpha1) / 5);
        }
        codes[6] = 0;
        codes[7] = 255;
    } else {
        for (int i = 1; i < 7; ++i) {
            codes[1 + i] = static_cast<std::uint8_t>(((7 - i) * alpha0 + i * alpha1) / 7);
        }
    }
    for (int group = 0; group < 2; ++group) {
        const std::uint8_t* bits = block + 2 + 3 * group;
        const int value = bits[0] | (bits[1] << 8) | (bits[2] << 16);
        for (int i = 0; i < 8; ++i) {
            rgba[4 * (8 * group + i) + 3] = codes[(value >> (3 * i)) & 7];
        }
    }
}

}  // namespace

void DecodeDxtBlock(const std::uint8_t* block, std::uint32_t format, std::uint8_t* rgba) {
    if (format == kFormatDXT1) {
        DecodeColours(block, true, rgba);
        return;
    }
    DecodeColours(block + 8, false, rgba);
    if (format == kFormatDXT3) {
        DecodeExplicitAlpha(block, rgba);
    } else {
        DecodeInterpolatedAlpha(block, rgba);
    }
}

}  // namespace lumo
