#include "picture/bmp_parse.h"

#include <algorithm>

namespace picture {

namespace {

std::uint16_t U16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t U32(const std::uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

std::int32_t I32(const std::uint8_t* p) {
    return static_cast<std::int32_t>(U32(p));
}

bool Holds(std::span<const std::uint8_t> bytes, std::uint64_t offset, std::uint64_t size) {
    return offset <= bytes.size() && size <= bytes.size() - offset;
}

}  // namespace

std::optional<BitmapFileHeader> ParseFileHeader(std::span<const std::uint8_t> bytes) {
    if (!Holds(bytes, 0, kFileHeaderSize)) {
        return std::nullopt;
    }
    const std::uint8_t* p = bytes.data();
    return BitmapFileHeader{U16(p), U32(p + 2), U32(p + 10)};
}

std::optional<BITMAPINFOHEADER> ParseInfoHeader(std::span<const std::uint8_t> bytes,
                                                std::uint64_t offset) {
    if (!Holds(bytes, offset, kInfoHeaderSize)) {
        return std::nullopt;
    }
    const std::uint8_t* p = bytes.data() + offset;
    BITMAPINFOHEADER h;
    h.biSize = U32(p);
    h.biWidth = I32(p + 4);
    h.biHeight = I32(p + 8);
    h.biPlanes = U16(p + 12);
    h.biBitCount = U16(p + 14);
    h.biCompression = U32(p + 16);
    h.biSizeImage = U32(p + 20);
    h.biXPelsPerMeter = I32(p + 24);
    h.biYPelsPerMeter = I32(p + 28);
    h.biClrUsed = U32(p + 32);
    h.biClrImportant = U32(p + 36);
    return h;
}

std::vector<RGBQUAD> ParseColourTable(std::span<const std::uint8_t> bytes, std::uint64_t offset,
                                      std::uint32_t count) {
    std::vector<RGBQUAD> table;
    if (offset > bytes.size()) {
        return table;
    }
    const std::uint64_t present = std::min<std::uint64_t>(count, (bytes.size() - offset) / 4);
    table.resize(present);
    for (std::uint64_t i = 0; i < present; ++i) {
        const std::uint8_t* p = bytes.data() + offset + 4 * i;
        table[i] = {p[0], p[1], p[2], p[3]};
    }
    return table;
}

void CopyAvailable(std::span<const std::uint8_t> bytes, std::uint64_t offset, std::uint64_t size,
                   std::uint8_t* out) {
    if (offset >= bytes.size()) {
        return;
    }
    const std::uint64_t n = std::min<std::uint64_t>(size, bytes.size() - offset);
    std::copy_n(bytes.data() + offset, n, out);
}

}  // namespace picture
