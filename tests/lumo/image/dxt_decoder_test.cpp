// The decoder that stands in for libsquish where Debian has none must give its bytes exactly.
#include "lumo/image/dxt_decoder.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <random>

#include "lumo/io/pixel_format.h"

#if KAOCG_HAVE_SQUISH
#include <squish.h>

namespace lumo {
namespace {

using Block = std::array<std::uint8_t, 16>;
using Pixels = std::array<std::uint8_t, 64>;

int SquishFlag(std::uint32_t format) {
    return format == kFormatDXT1 ? squish::kDxt1
                                 : (format == kFormatDXT3 ? squish::kDxt3 : squish::kDxt5);
}

void ExpectSameAsSquish(const Block& block, std::uint32_t format) {
    Pixels ours{};
    Pixels theirs{};
    DecodeDxtBlock(block.data(), format, ours.data());
    squish::Decompress(theirs.data(), block.data(), SquishFlag(format));
    ASSERT_EQ(ours, theirs) << "format " << format;
}

TEST(DxtDecoder, DecodesRandomBlocksOfEveryFormatAsLibsquishDoes) {
    std::mt19937 random(20240611);
    for (const std::uint32_t format : {kFormatDXT1, kFormatDXT3, kFormatDXT5}) {
        for (int n = 0; n < 20000; ++n) {
            Block block{};
            for (std::uint8_t& byte : block) {
                byte = static_cast<std::uint8_t>(random());
            }
            ExpectSameAsSquish(block, format);
        }
    }
}

// Equal endpoints choose the three-colour mode of DXT1 and the six-alpha mode of DXT5.
TEST(DxtDecoder, EqualAndOrderedEndpointsChooseTheModesAsLibsquishDoes) {
    for (const std::uint32_t format : {kFormatDXT1, kFormatDXT3, kFormatDXT5}) {
        for (const std::uint8_t endpoint :
             {std::uint8_t{0}, std::uint8_t{0x7B}, std::uint8_t{0xFF}}) {
            Block block{};
            block.fill(0xE4);
            block[0] = block[1] = endpoint;
            block[8] = block[10] = endpoint;
            block[9] = block[11] = endpoint;
            ExpectSameAsSquish(block, format);
            block[1] = static_cast<std::uint8_t>(endpoint ^ 1);
            block[9] = static_cast<std::uint8_t>(endpoint ^ 1);
            ExpectSameAsSquish(block, format);
        }
    }
}

}  // namespace
}  // namespace lumo
#endif
