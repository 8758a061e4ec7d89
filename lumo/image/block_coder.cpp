#include "lumo/image/block_coder.h"

#if KAOCG_HAVE_SQUISH
#include <squish.h>
#endif

#include <algorithm>
#include <array>
#include <limits>
#include <utility>

#include "lumo/image/codec_common.h"
#include "lumo/image/dxt_decoder.h"
#include "lumo/io/pixel_format.h"

namespace lumo {
namespace {

constexpr std::uint32_t kSide = 4;  // a block is 4 x 4 pixels
using BlockPixels = std::array<std::uint8_t, kSide * kSide * 4>;

bool IsBlockFormat(std::uint32_t format) {
    return format == kFormatDXT1 || format == kFormatDXT3 || format == kFormatDXT5;
}

#if KAOCG_HAVE_SQUISH
constexpr bool kCanEncodeBlocks = true;

int SquishFlags(std::uint32_t format) {
    return format == kFormatDXT1 ? squish::kDxt1
                                 : (format == kFormatDXT3 ? squish::kDxt3 : squish::kDxt5);
}

void CompressBlock(const std::uint8_t* pixels, std::uint8_t* block, std::uint32_t format) {
    squish::Compress(pixels, block, SquishFlags(format) | squish::kColourIterativeClusterFit);
}

void DecompressBlock(const std::uint8_t* block, std::uint8_t* pixels, std::uint32_t format) {
    squish::Decompress(pixels, block, SquishFlags(format));
}
#else
// Debian builds libsquish for Linux only. Without it blocks are decoded by the same arithmetic,
// so pictures read from the game's archives match the Linux build's, but none are encoded.
constexpr bool kCanEncodeBlocks = false;

void CompressBlock(const std::uint8_t*, std::uint8_t*, std::uint32_t) {}

void DecompressBlock(const std::uint8_t* block, std::uint8_t* pixels, std::uint32_t format) {
    DecodeDxtBlock(block, format, pixels);
}
#endif

std::size_t BlockSize(std::uint32_t format) {
    return format == kFormatDXT1 ? 8 : 16;
}

bool CodableSurface(std::uint32_t width, std::uint32_t height, std::uint32_t format) {
    return IsBlockFormat(format) && width > 0 && height > 0 &&
           codec::SurfaceSizeAllowed(width, height);
}

// Pixels past the right or bottom edge repeat the last column or row, so that a padded block
// compresses to colours the picture really has.
void GatherBlock(const std::uint8_t* rgba, std::uint32_t width, std::uint32_t height,
                 std::uint32_t x, std::uint32_t y, BlockPixels& block) {
    std::uint8_t* target = block.data();
    for (std::uint32_t row = 0; row < kSide; ++row) {
        const std::size_t sy = std::min(y + row, height - 1);
        for (std::uint32_t column = 0; column < kSide; ++column) {
            const std::size_t sx = std::min(x + column, width - 1);
            target = std::copy_n(rgba + (sy * width + sx) * 4, 4, target);
        }
    }
}

// The inverse of the padding: only the pixels inside the picture are kept.
void ScatterBlock(const BlockPixels& block, std::uint32_t width, std::uint32_t height,
                  std::uint32_t x, std::uint32_t y, std::uint8_t* rgba) {
    const std::uint32_t columns = std::min(kSide, width - x);
    const std::uint32_t rows = std::min(kSide, height - y);
    for (std::uint32_t row = 0; row < rows; ++row) {
        const std::uint8_t* source = block.data() + row * kSide * 4;
        std::copy_n(source, columns * 4, rgba + ((std::size_t{y} + row) * width + x) * 4);
    }
}

}  // namespace

std::uint64_t BlockBytes(std::uint32_t width, std::uint32_t height, std::uint32_t format) {
    if (!IsBlockFormat(format)) {
        return 0;
    }
    const std::uint64_t columns = (std::uint64_t{width} + kSide - 1) / kSide;
    const std::uint64_t rows = (std::uint64_t{height} + kSide - 1) / kSide;
    // 2^32 x 2^32 DXT5 would need 2^64 bytes; saturate rather than wrap to a tiny size that a
    // size check would let through.
    if (columns * rows > std::numeric_limits<std::uint64_t>::max() / BlockSize(format)) {
        return std::numeric_limits<std::uint64_t>::max();
    }
    return columns * rows * BlockSize(format);
}

bool CompressBlocks(const std::uint8_t* rgba, std::uint32_t width, std::uint32_t height,
                    std::uint32_t format, std::vector<std::uint8_t>& blocks) {
    if (!kCanEncodeBlocks || !rgba || !CodableSurface(width, height, format)) {
        return false;
    }
    const std::size_t blockSize = BlockSize(format);
    std::vector<std::uint8_t> coded(BlockBytes(width, height, format), 0);
    BlockPixels pixels;
    std::uint8_t* target = coded.data();
    for (std::uint32_t y = 0; y < height; y += kSide) {
        for (std::uint32_t x = 0; x < width; x += kSide) {
            GatherBlock(rgba, width, height, x, y, pixels);
            CompressBlock(pixels.data(), target, format);
            target += blockSize;
        }
    }
    blocks = std::move(coded);
    return true;
}

bool DecompressBlocks(const std::uint8_t* blocks, std::size_t size, std::uint32_t width,
                      std::uint32_t height, std::uint32_t format, std::vector<std::uint8_t>& rgba) {
    if (!blocks || !CodableSurface(width, height, format) ||
        !codec::HasBytes(size, BlockBytes(width, height, format))) {
        return false;
    }
    const std::size_t blockSize = BlockSize(format);
    std::vector<std::uint8_t> decoded(std::size_t{width} * height * 4);
    BlockPixels pixels;
    for (std::uint32_t y = 0; y < height; y += kSide) {
        for (std::uint32_t x = 0; x < width; x += kSide) {
            DecompressBlock(blocks, pixels.data(), format);
            ScatterBlock(pixels, width, height, x, y, decoded.data());
            blocks += blockSize;
        }
    }
    rgba = std::move(decoded);
    return true;
}

void SurfaceByteSwap(std::uint8_t* data, std::size_t size, std::uint32_t surfaceCode) {
    const std::uint32_t mode = (surfaceCode >> 6) & 3;
    const std::size_t unit = mode == 1 ? 2 : 4;
    if (mode == 0 || !data) {
        return;
    }
    for (std::size_t i = 0; i + unit <= size; i += unit) {
        std::uint8_t* p = data + i;
        if (mode == 1) {
            std::swap(p[0], p[1]);
        } else if (mode == 2) {
            std::reverse(p, p + 4);
        } else {
            std::swap_ranges(p, p + 2, p + 2);
        }
    }
}

}  // namespace lumo
