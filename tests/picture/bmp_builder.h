#pragma once

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

#include "picture/bitmap_header.h"

namespace picture::testing {

// A BMP file described field by field; Build lays it out as a writer would.
struct BmpFile {
    std::int32_t width = 1;
    std::int32_t height = 1;  // negative: rows stored top row first
    std::uint16_t bitCount = 24;
    std::uint32_t compression = BI_RGB;
    std::uint32_t clrUsed = 0;
    std::uint32_t headerSize = 40;
    std::vector<RGBQUAD> table;
    // Red, green and blue masks, written after a 40-byte header of a BI_BITFIELDS file.
    std::array<std::uint32_t, 3> masks = {0xF800, 0x07E0, 0x001F};
    // Raw pixel values, top row first: indices, 16-bit words, 0xRRGGBB or 32-bit words.
    std::vector<std::uint32_t> pixels;
};

inline BmpFile Bmp(std::int32_t width, std::int32_t height, std::uint16_t bitCount,
                   std::vector<std::uint32_t> pixels = {}) {
    BmpFile f;
    f.width = width;
    f.height = height;
    f.bitCount = bitCount;
    f.pixels = std::move(pixels);
    return f;
}

inline void Put(std::vector<std::uint8_t>& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

// One stored row: sub-byte pixels most significant bits first, wider ones little-endian
// (15-bit pixels take two bytes), padded to a multiple of 4 bytes.
inline std::vector<std::uint8_t> PackRow(const BmpFile& f, const std::uint32_t* raw) {
    std::vector<std::uint8_t> row;
    if (f.bitCount < 8) {
        row.assign((f.bitCount * f.width + 7) / 8, 0);
        for (int x = 0; x < f.width; ++x) {
            const int bit = x * f.bitCount;
            row[bit / 8] |= static_cast<std::uint8_t>(raw[x] << (8 - f.bitCount - bit % 8));
        }
    } else {
        for (int x = 0; x < f.width; ++x) {
            Put(row, raw[x], (f.bitCount + 7) / 8);
        }
    }
    row.resize((row.size() + 3) / 4 * 4, 0);
    return row;
}

inline std::vector<std::uint8_t> Build(const BmpFile& f) {
    std::vector<std::uint8_t> body;
    Put(body, f.headerSize, 4);
    Put(body, static_cast<std::uint32_t>(f.width), 4);
    Put(body, static_cast<std::uint32_t>(f.height), 4);
    Put(body, 1, 2);
    Put(body, f.bitCount, 2);
    Put(body, f.compression, 4);
    body.resize(body.size() + 12, 0);  // image size and resolution
    Put(body, f.clrUsed, 4);
    Put(body, 0, 4);
    body.resize(f.headerSize, 0);
    if (f.compression == BI_BITFIELDS) {
        for (std::uint32_t mask : f.masks) {
            Put(body, mask, 4);
        }
    }
    for (const RGBQUAD& q : f.table) {
        body.insert(body.end(), {q.rgbBlue, q.rgbGreen, q.rgbRed, q.rgbReserved});
    }
    const std::uint32_t offBits = 14 + static_cast<std::uint32_t>(body.size());
    const int rows = f.height < 0 ? -f.height : f.height;
    std::vector<std::uint32_t> pixels = f.pixels;
    pixels.resize(static_cast<std::size_t>(f.width) * rows, 0);
    for (int r = 0; r < rows; ++r) {
        const int y = f.height < 0 ? r : rows - 1 - r;
        const std::vector<std::uint8_t> row = PackRow(f, pixels.data() + y * f.width);
        body.insert(body.end(), row.begin(), row.end());
    }
    std::vector<std::uint8_t> file;
    Put(file, 0x4D42, 2);
    Put(file, 14 + body.size(), 4);
    Put(file, 0, 4);
    Put(file, offBits, 4);
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

}  // namespace picture::testing
