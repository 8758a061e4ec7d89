#include "picture/bitmap_header.h"

namespace picture {

std::uint64_t RowStride(std::uint32_t bitCount, std::uint64_t width) {
    return ((bitCount * width + 7) / 8 + 3) / 4 * 4;
}

std::uint64_t PixelBytes(const BITMAPINFOHEADER& header) {
    return RowStride(header.biBitCount, static_cast<std::uint32_t>(header.biWidth)) *
           static_cast<std::uint32_t>(header.biHeight);
}

std::uint32_t ColourTableSize(const BITMAPINFOHEADER& header) {
    if (header.biBitCount > 8) {
        return 0;
    }
    const std::uint32_t full = 1u << header.biBitCount;
    if (header.biSize == kInfoHeaderSize && header.biClrUsed != 0 && header.biClrUsed < full) {
        return header.biClrUsed;
    }
    return full;
}

bool IsSupportedBitCount(std::uint32_t bitCount) {
    switch (bitCount) {
        case 1:
        case 4:
        case 8:
        case 16:
        case 24:
        case 32:
            return true;
        default:
            return false;
    }
}

namespace {

// Compressed rows cannot be addressed pixel by pixel; bit fields only exist for 16 and 32 bits.
bool IsAddressableCompression(const BITMAPINFOHEADER& header) {
    return header.biCompression == BI_RGB || (header.biCompression == BI_BITFIELDS &&
                                              (header.biBitCount == 16 || header.biBitCount == 32));
}

}  // namespace

bool NormaliseHeader(BITMAPINFOHEADER& header, bool& topDown) {
    const std::int64_t height = header.biHeight;
    const std::int64_t rows = height < 0 ? -height : height;
    if (header.biWidth <= 0 || rows == 0 || rows > INT32_MAX ||
        !IsSupportedBitCount(header.biBitCount) || !IsAddressableCompression(header) ||
        static_cast<std::uint64_t>(header.biWidth) * static_cast<std::uint64_t>(rows) >
            kMaxPixels) {
        return false;
    }
    topDown = height < 0;
    header.biHeight = static_cast<std::int32_t>(rows);
    return true;
}

}  // namespace picture
