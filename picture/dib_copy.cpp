// Copying a rectangle between pictures of any two supported bit depths.
#include <algorithm>
#include <cstring>

#include "picture/dib.h"
#include "picture/pixel_access.h"

namespace picture {

namespace {

PixelLayout LayoutOf(const CDIB& picture) {
    return {picture.BitCount(), picture.Header().biCompression == BI_BITFIELDS,
            picture.ColourTable()};
}

bool SameFormat(const PixelLayout& a, const PixelLayout& b) {
    return a.bitCount == b.bitCount && (a.bitCount != 16 || a.is565 == b.is565);
}

// The part of the key that a source pixel's raw value is compared with; 32-bit pixels are
// compared by colour, their fourth byte being alpha or unused.
std::int64_t KeyFor(std::int64_t colourKey, std::uint32_t bitCount) {
    if (colourKey < 0) {
        return -1;
    }
    switch (bitCount) {
        case 16:
            return colourKey & 0xFFFF;
        case 24:
        case 32:
            return colourKey & 0xFFFFFF;
        default:
            return colourKey & 0xFF;
    }
}

struct Span1D {
    std::int64_t dest;
    std::int64_t source;
    std::int64_t length;
};

// Cuts one axis of the rectangle to what both pictures hold.
Span1D Clip(std::int64_t dest, std::int64_t source, std::int64_t length, std::int64_t destSize,
            std::int64_t sourceSize) {
    const std::int64_t skip = std::max({std::int64_t{0}, -dest, -source});
    dest += skip;
    source += skip;
    length -= skip;
    length = std::min({length, destSize - dest, sourceSize - source});
    return {dest, source, std::max<std::int64_t>(length, 0)};
}

// Between 24 and 32 bits without a key, the general path below reduces to moving the blue,
// green and red bytes, with 0 as a 32-bit target's fourth byte. Faces are decoded at 32 bits
// and kept at 24, so every thumbnail is copied here.
bool IsTrueColourMove(const PixelLayout& from, const PixelLayout& to, std::int64_t key) {
    return key < 0 && (from.bitCount == 24 || from.bitCount == 32) &&
           (to.bitCount == 24 || to.bitCount == 32);
}

void MoveTrueColour(const std::uint8_t* in, std::uint32_t inBytes, std::uint8_t* out,
                    std::uint32_t outBytes, std::int64_t count) {
    for (std::int64_t i = 0; i < count; ++i, in += inBytes, out += outBytes) {
        out[0] = in[0];
        out[1] = in[1];
        out[2] = in[2];
        if (outBytes == 4) {
            out[3] = 0;
        }
    }
}

}  // namespace

bool CDIB::CopyRect(CDIB& dest, std::int32_t dx, std::int32_t dy, std::int32_t w, std::int32_t h,
                    std::int32_t sx, std::int32_t sy, std::int64_t colourKey) const {
    if (m_pixels == nullptr || dest.m_pixels == nullptr) {
        return false;
    }
    if (&dest == this) {
        // Overlapping rectangles of one picture are copied from a snapshot.
        CDIB snapshot;
        return snapshot.Create(*this) && snapshot.CopyRect(dest, dx, dy, w, h, sx, sy, colourKey);
    }
    const Span1D cols = Clip(dx, sx, w, dest.Width(), Width());
    const Span1D rows = Clip(dy, sy, h, dest.Height(), Height());
    if (cols.length == 0 || rows.length == 0) {
        return true;
    }
    const PixelLayout from = LayoutOf(*this);
    const PixelLayout to = LayoutOf(dest);
    const bool same = SameFormat(from, to);
    const std::int64_t key = KeyFor(colourKey, from.bitCount);
    const bool move = !same && IsTrueColourMove(from, to, key);
    for (std::int64_t r = 0; r < rows.length; ++r) {
        const std::uint8_t* in = PixelAddress(0, static_cast<std::int32_t>(rows.source + r));
        std::uint8_t* out = dest.PixelAddress(0, static_cast<std::int32_t>(rows.dest + r));
        if (same && key < 0 && from.bitCount >= 8) {
            const std::uint64_t bytes = from.bitCount / 8;
            std::memmove(out + cols.dest * bytes, in + cols.source * bytes, cols.length * bytes);
            continue;
        }
        if (move) {
            MoveTrueColour(in + cols.source * (from.bitCount / 8), from.bitCount / 8,
                           out + cols.dest * (to.bitCount / 8), to.bitCount / 8, cols.length);
            continue;
        }
        for (std::int64_t c = 0; c < cols.length; ++c) {
            const std::uint32_t raw = ReadRaw(in, from.bitCount, cols.source + c);
            const std::uint32_t compared = from.bitCount == 32 ? raw & 0xFFFFFF : raw;
            if (key >= 0 && compared == key) {
                continue;
            }
            WriteRaw(out, to.bitCount, cols.dest + c,
                     same ? raw : ColourToRaw(RawToColour(raw, from), to));
        }
    }
    return true;
}

}  // namespace picture
