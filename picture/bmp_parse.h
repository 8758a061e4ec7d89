#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "picture/bitmap_header.h"

namespace picture {

// The 14-byte header that opens a BMP file.
struct BitmapFileHeader {
    std::uint16_t bfType = 0;
    std::uint32_t bfSize = 0;
    std::uint32_t bfOffBits = 0;  // from the start of the file header to the pixels
};

// Each parser reads little-endian fields at `offset` and gives nothing when the bytes end
// before the structure does.
std::optional<BitmapFileHeader> ParseFileHeader(std::span<const std::uint8_t> bytes);
std::optional<BITMAPINFOHEADER> ParseInfoHeader(std::span<const std::uint8_t> bytes,
                                                std::uint64_t offset);
// `count` entries from `offset`; entries the bytes do not hold completely are left out.
std::vector<RGBQUAD> ParseColourTable(std::span<const std::uint8_t> bytes, std::uint64_t offset,
                                      std::uint32_t count);

// `size` bytes from `offset`, copied into `out` (which holds at least `size` bytes); bytes
// beyond the end of `bytes` are left as they are.
void CopyAvailable(std::span<const std::uint8_t> bytes, std::uint64_t offset, std::uint64_t size,
                   std::uint8_t* out);

}  // namespace picture
