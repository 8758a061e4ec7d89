#pragma once

#include <cstdint>

namespace picture {

// The 40-byte info header of a BMP file or packed bitmap, field for field as stored
// (little-endian). The natural alignment of its fields leaves no padding.
struct BITMAPINFOHEADER {
    std::uint32_t biSize = 0;
    std::int32_t biWidth = 0;
    std::int32_t biHeight = 0;
    std::uint16_t biPlanes = 0;
    std::uint16_t biBitCount = 0;
    std::uint32_t biCompression = 0;
    std::uint32_t biSizeImage = 0;
    std::int32_t biXPelsPerMeter = 0;
    std::int32_t biYPelsPerMeter = 0;
    std::uint32_t biClrUsed = 0;
    std::uint32_t biClrImportant = 0;
};
static_assert(sizeof(BITMAPINFOHEADER) == 40);

// One colour-table entry as stored: blue, green, red, reserved.
struct RGBQUAD {
    std::uint8_t rgbBlue = 0;
    std::uint8_t rgbGreen = 0;
    std::uint8_t rgbRed = 0;
    std::uint8_t rgbReserved = 0;
};
static_assert(sizeof(RGBQUAD) == 4);

inline constexpr std::uint32_t kInfoHeaderSize = 40;
inline constexpr std::uint32_t kCoreHeaderSize = 12;  // the old OS/2 header
inline constexpr std::uint32_t kFileHeaderSize = 14;
inline constexpr std::uint16_t kBmpType = 0x4D42;  // "BM" read little-endian

inline constexpr std::uint32_t BI_RGB = 0;
inline constexpr std::uint32_t BI_RLE8 = 1;
inline constexpr std::uint32_t BI_RLE4 = 2;
inline constexpr std::uint32_t BI_BITFIELDS = 3;

// No picture may hold more pixels than this; it bounds every allocation a header can ask for.
inline constexpr std::uint64_t kMaxPixels = 100'000'000;

// Bytes of one stored row: bit count x width rounded up to whole bytes, then to a multiple of
// 4. Computed in 64 bits so that no header value can wrap it.
std::uint64_t RowStride(std::uint32_t bitCount, std::uint64_t width);

// RowStride x height of a normalised header (positive width and height).
std::uint64_t PixelBytes(const BITMAPINFOHEADER& header);

// Colour-table entries that follow a header: 2^bitCount, or biClrUsed when a 40-byte header
// names fewer; none when that exceeds 256 (direct-colour pictures). A 12-byte core header
// carries no biClrUsed.
std::uint32_t ColourTableSize(const BITMAPINFOHEADER& header);

// The bit counts a CDIB can hold and address.
bool IsSupportedBitCount(std::uint32_t bitCount);

// Turns a header's signed height into a positive one and the row order (a negative height
// means top row first). Refuses what a picture cannot hold: a width or height of 0 or beyond
// 32 bits, more than kMaxPixels pixels, an unsupported bit count, compressed rows.
bool NormaliseHeader(BITMAPINFOHEADER& header, bool& topDown);

}  // namespace picture
