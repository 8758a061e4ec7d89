#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "lumo/image/image.h"
#include "lumo/io/g1t_item.h"

namespace lumo {

// What the codecs need to know of a texture surface.
struct CTextureDesc {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t format = 0;    // pixel format code 0..63
    std::uint32_t platform = 0;  // G1T platform 0..4
    // True on the big-endian platforms (1, 2, 3), which store a 32-bit pixel reversed.
    bool swapBytes = false;
    const std::vector<CG1TItem>* attributes = nullptr;  // borrowed; may be null
};

// True for the platforms whose files and pixels are big-endian.
inline bool IsBigEndianPlatform(std::uint32_t platform) {
    return platform >= 1 && platform <= 3;
}

// Whether the toolkit has a codec of its own for this format on this platform; the others
// decode to black and encode to zeros (below).
bool HasPixelCodec(std::uint32_t format, std::uint32_t platform);

// Decodes stored pixel bytes into an image of desc.width x desc.height. Formats a platform
// does not support, and DXT surfaces under 4 pixels, decode to transparent black and succeed.
// Fails only when the stored bytes are fewer than the surface needs or the size is too large.
bool DecodePixels(const CTextureDesc& desc, const std::uint8_t* data, std::size_t size,
                  CImage& image);
bool DecodePixels(const CTextureDesc& desc, const std::uint8_t* data, std::size_t size,
                  CClassicImage& image);

// Encodes an image of desc.width x desc.height into stored pixel bytes (replacing out).
// Unsupported formats and DXT surfaces under 4 pixels give width x height x 4 zero bytes.
// Fails when the image is not direct or its size differs from the description.
bool EncodePixels(const CTextureDesc& desc, const CImage& image, std::vector<std::uint8_t>& out);
bool EncodePixels(const CTextureDesc& desc, const CClassicImage& image,
                  std::vector<std::uint8_t>& out);

}  // namespace lumo
