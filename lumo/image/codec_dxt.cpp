#include <algorithm>
#include <utility>

#include "lumo/image/block_coder.h"
#include "lumo/image/codec_common.h"
#include "lumo/io/pixel_format.h"

namespace lumo::codec {
namespace {

// Surface codes of the big-endian console's DXT1/3/5 surfaces: low 6 bits the surface format,
// bits 6..7 byte-swap mode 1 (the bytes of every 16-bit unit exchanged).
constexpr std::uint32_t kSurfaceCodeDXT1 = 0x1A200052;

bool TooSmallForBlocks(const CTextureDesc& desc) {
    return desc.width < 4 || desc.height < 4;
}

bool IsDxt(std::uint32_t format) {
    return format >= kFormatDXT1 && format <= kFormatDXT5;
}

// Platform 4 writes each block as 32-bit words in reverse order (for DXT1 the index word before
// the colour pair). Exchanging them again restores the order, so one step serves both ways.
void ReverseBlockWords(std::vector<std::uint8_t>& blocks, std::size_t blockSize) {
    for (std::size_t offset = 0; offset + blockSize <= blocks.size(); offset += blockSize) {
        std::uint8_t* block = blocks.data() + offset;
        for (std::size_t low = 0, high = blockSize - 4; low < high; low += 4, high -= 4) {
            std::swap_ranges(block + low, block + low + 4, block + high);
        }
    }
}

// Between the block coder's order and the stored one; its own inverse on every platform.
void ApplyPlatformOrder(const CTextureDesc& desc, std::vector<std::uint8_t>& blocks) {
    if (desc.platform == 2) {
        SurfaceByteSwap(blocks.data(), blocks.size(),
                        kSurfaceCodeDXT1 + (desc.format - kFormatDXT1));
    } else if (desc.platform == 4) {
        ReverseBlockWords(blocks, desc.format == kFormatDXT1 ? 8 : 16);
    }
}

bool StoredAsCoded(const CTextureDesc& desc) {
    return desc.platform != 2 && desc.platform != 4;
}

}  // namespace

template <typename Channel>
bool DecodeDxt(const CTextureDesc& desc, const std::uint8_t* data, std::size_t size,
               CImageT<Channel>& image) {
    if (!IsDxt(desc.format)) {
        return false;
    }
    if (TooSmallForBlocks(desc)) {
        return DecodeFallback(desc, data, size, image);
    }
    const std::uint64_t needed = BlockBytes(desc.width, desc.height, desc.format);
    if (!data || !HasBytes(size, needed)) {
        return false;
    }
    std::vector<std::uint8_t> reordered;
    const std::uint8_t* blocks = data;
    if (!StoredAsCoded(desc)) {
        reordered.assign(data, data + needed);
        ApplyPlatformOrder(desc, reordered);
        blocks = reordered.data();
    }
    std::vector<std::uint8_t> rgba;
    if (!DecompressBlocks(blocks, needed, desc.width, desc.height, desc.format, rgba)) {
        return false;
    }
    std::vector<Channel>* values = MakeDirect(image, desc.width, desc.height);
    if (!values) {
        return false;
    }
    std::transform(rgba.begin(), rgba.end(), values->begin(), FromByte<Channel>);
    return true;
}

template <typename Channel>
bool EncodeDxt(const CTextureDesc& desc, const CImageT<Channel>& image,
               std::vector<std::uint8_t>& out) {
    if (!IsDxt(desc.format)) {
        return false;
    }
    if (TooSmallForBlocks(desc)) {
        return EncodeFallback(desc, image, out);
    }
    const std::vector<Channel>& values = image.Pixels();
    std::vector<std::uint8_t> rgba(values.size());
    std::transform(values.begin(), values.end(), rgba.begin(),
                   [](Channel value) { return ToByte(value); });
    // A normal map keeps its direction in R and G; a constant blue spends none of the block's
    // colour precision on the third component, which follows from the first two.
    if (desc.attributes && IsNormalMap(*desc.attributes)) {
        for (std::size_t i = 2; i < rgba.size(); i += 4) {
            rgba[i] = 255;
        }
    }
    std::vector<std::uint8_t> blocks;
    if (!CompressBlocks(rgba.data(), desc.width, desc.height, desc.format, blocks)) {
        return false;
    }
    ApplyPlatformOrder(desc, blocks);
    out = std::move(blocks);
    return true;
}

template bool DecodeDxt<float>(const CTextureDesc&, const std::uint8_t*, std::size_t,
                               CImageT<float>&);
template bool DecodeDxt<std::uint8_t>(const CTextureDesc&, const std::uint8_t*, std::size_t,
                                      CImageT<std::uint8_t>&);
template bool EncodeDxt<float>(const CTextureDesc&, const CImageT<float>&,
                               std::vector<std::uint8_t>&);
template bool EncodeDxt<std::uint8_t>(const CTextureDesc&, const CImageT<std::uint8_t>&,
                                      std::vector<std::uint8_t>&);

}  // namespace lumo::codec
