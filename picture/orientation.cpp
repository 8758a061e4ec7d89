#include "picture/orientation.h"

#include <algorithm>
#include <new>

namespace picture {

namespace {

// Where upright pixel (X, Y) is stored: (u, v) = swap ? (Y, X) : (X, Y), then each of u and v
// counted from the far edge when flipped.
struct Placement {
    bool swap, flipX, flipY;
};

// Indexed by EXIF orientation; 0 stands in for the values that mean nothing.
constexpr Placement kPlacements[9] = {
    {false, false, false},  // (none)
    {false, false, false},  // 1 as stored
    {false, true, false},   // 2 mirrored left to right
    {false, true, true},    // 3 half a turn
    {false, false, true},   // 4 mirrored top to bottom
    {true, false, false},   // 5 transposed
    {true, false, true},    // 6 stored a quarter turn anticlockwise: turn it clockwise
    {true, true, true},     // 7 transverse
    {true, true, false},    // 8 stored a quarter turn clockwise: turn it anticlockwise
};

// Stored pixel (u, v) lies at origin + 3 u + v rowStep, rowStep negative for a bottom-up
// picture, so the stored pixel of upright (x, y) is a linear function of x and y too.
class StoredPixels {
public:
    StoredPixels(const CDIB& picture, const Placement& placement)
        : m_origin(picture.PixelAddress(0, 0)),
          m_width(picture.Width()),
          m_height(picture.Height()),
          m_placement(placement) {
        m_rowStep = m_height > 1 ? picture.PixelAddress(0, 1) - m_origin : 0;
    }

    // Upright (x, y) must lie in the picture.
    std::ptrdiff_t Offset(int x, int y) const {
        int u = m_placement.swap ? y : x;
        int v = m_placement.swap ? x : y;
        u = m_placement.flipX ? m_width - 1 - u : u;
        v = m_placement.flipY ? m_height - 1 - v : v;
        return std::ptrdiff_t{3} * u + v * m_rowStep;
    }
    const std::uint8_t* Origin() const { return m_origin; }

private:
    const std::uint8_t* m_origin;
    int m_width, m_height;
    Placement m_placement;
    std::ptrdiff_t m_rowStep = 0;
};

std::optional<CDIB> Place(const CDIB& picture, const Placement& placement) {
    if (picture.BitCount() != 24 || picture.PixelAddress(0, 0) == nullptr)
        return std::nullopt;
    const int outWidth = placement.swap ? picture.Height() : picture.Width();
    const int outHeight = placement.swap ? picture.Width() : picture.Height();
    std::optional<CDIB> result;
    try {
        // CreateWithPixels takes a positive height as top-down.
        result =
            CDIB::CreateWithPixels(outWidth, picture.IsTopDown() ? outHeight : -outHeight, {}, 24);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    if (!result)
        return std::nullopt;
    const StoredPixels stored(picture, placement);
    const std::ptrdiff_t step = outWidth > 1 ? stored.Offset(1, 0) - stored.Offset(0, 0) : 0;
    // In tiles, so that a quarter turn, which reads the picture down its columns, finds each
    // stored row's bytes still in the cache for the next result row.
    constexpr int kTile = 32;
    for (int tileY = 0; tileY < outHeight; tileY += kTile) {
        for (int tileX = 0; tileX < outWidth; tileX += kTile) {
            const int endY = std::min(tileY + kTile, outHeight);
            const int count = std::min(kTile, outWidth - tileX);
            for (int y = tileY; y < endY; ++y) {
                std::uint8_t* out = result->PixelAddress(tileX, y);
                const std::uint8_t* in = stored.Origin() + stored.Offset(tileX, y);
                for (int i = 0; i < count; ++i, out += 3, in += step) {
                    out[0] = in[0];
                    out[1] = in[1];
                    out[2] = in[2];
                }
            }
        }
    }
    return result;
}

}  // namespace

std::optional<CDIB> ApplyOrientation(const CDIB& picture, int orientation) {
    const int index = orientation >= 1 && orientation <= 8 ? orientation : 1;
    return Place(picture, kPlacements[index]);
}

std::optional<CDIB> RotateQuarterTurns(const CDIB& picture, int quarterTurnsClockwise) {
    // The orientation whose correction is that many clockwise turns.
    constexpr int kOrientationOfTurns[4] = {1, 6, 3, 8};
    const int turns = (quarterTurnsClockwise % 4 + 4) % 4;
    return ApplyOrientation(picture, kOrientationOfTurns[turns]);
}

}  // namespace picture
