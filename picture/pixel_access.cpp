#include "picture/pixel_access.h"

namespace picture {

std::uint32_t ReadRaw(const std::uint8_t* row, std::uint32_t bitCount, std::uint64_t x) {
    switch (bitCount) {
        case 1:
            return (row[x / 8] >> (7 - x % 8)) & 1u;
        case 4:
            return (x % 2 == 0) ? row[x / 2] >> 4 : row[x / 2] & 0x0Fu;
        case 8:
            return row[x];
        case 16: {
            const std::uint8_t* p = row + x * 2;
            return p[0] | (p[1] << 8);
        }
        case 24: {
            const std::uint8_t* p = row + x * 3;
            return p[0] | (p[1] << 8) | (p[2] << 16);
        }
        case 32: {
            const std::uint8_t* p = row + x * 4;
            return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
        }
        default:
            return 0;
    }
}

void WriteRaw(std::uint8_t* row, std::uint32_t bitCount, std::uint64_t x, std::uint32_t raw) {
    switch (bitCount) {
        case 1: {
            const auto bit = static_cast<std::uint8_t>(0x80u >> (x % 8));
            row[x / 8] = (raw & 1u) ? (row[x / 8] | bit) : (row[x / 8] & ~bit);
            break;
        }
        case 4: {
            std::uint8_t& b = row[x / 2];
            b = (x % 2 == 0) ? ((b & 0x0F) | ((raw & 0x0F) << 4)) : ((b & 0xF0) | (raw & 0x0F));
            break;
        }
        case 8:
            row[x] = static_cast<std::uint8_t>(raw);
            break;
        default:
            for (std::uint32_t i = 0; i < bitCount / 8; ++i) {
                row[x * (bitCount / 8) + i] = static_cast<std::uint8_t>(raw >> (8 * i));
            }
            break;
    }
}

Colour RawToColour(std::uint32_t raw, const PixelLayout& layout) {
    if (layout.bitCount <= 8) {
        if (raw >= layout.table.size()) {
            return {};
        }
        const RGBQUAD& q = layout.table[raw];
        return {q.rgbBlue, q.rgbGreen, q.rgbRed};
    }
    if (layout.bitCount == 16) {
        if (layout.is565) {
            return {Widen5(raw & 0x1F), Widen6((raw >> 5) & 0x3F), Widen5((raw >> 11) & 0x1F)};
        }
        return {Widen5(raw & 0x1F), Widen5((raw >> 5) & 0x1F), Widen5((raw >> 10) & 0x1F)};
    }
    return {static_cast<std::uint8_t>(raw), static_cast<std::uint8_t>(raw >> 8),
            static_cast<std::uint8_t>(raw >> 16)};
}

namespace {

std::uint32_t NearestIndex(Colour c, std::span<const RGBQUAD> table) {
    std::uint32_t best = 0;
    int bestDistance = -1;
    for (std::uint32_t i = 0; i < table.size(); ++i) {
        const int db = table[i].rgbBlue - c.blue;
        const int dg = table[i].rgbGreen - c.green;
        const int dr = table[i].rgbRed - c.red;
        const int distance = db * db + dg * dg + dr * dr;
        if (bestDistance < 0 || distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

}  // namespace

std::uint32_t ColourToRaw(Colour c, const PixelLayout& layout) {
    if (layout.bitCount <= 8) {
        return NearestIndex(c, layout.table);
    }
    if (layout.bitCount == 16) {
        if (layout.is565) {
            return (c.blue >> 3) | ((c.green >> 2) << 5) | ((c.red >> 3) << 11);
        }
        return (c.blue >> 3) | ((c.green >> 3) << 5) | ((c.red >> 3) << 10);
    }
    return c.blue | (c.green << 8) | (c.red << 16);
}

}  // namespace picture
