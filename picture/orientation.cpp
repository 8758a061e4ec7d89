#include "picture/orientation.h"

#include <cstring>
#include <new>
#include <vector>

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

// Pixels are copied row by row of the result; a stored row is found through its address once.
std::optional<CDIB> Place(const CDIB& picture, const Placement& placement) {
    if (picture.BitCount() != 24 || picture.PixelAddress(0, 0) == nullptr)
        return std::nullopt;
    const int width = picture.Width();
    const int height = picture.Height();
    const int outWidth = placement.swap ? height : width;
    const int outHeight = placement.swap ? width : height;
    std::optional<CDIB> result;
    std::vector<const std::uint8_t*> rows;
    try {
        // CreateWithPixels takes a positive height as top-down.
        result =
            CDIB::CreateWithPixels(outWidth, picture.IsTopDown() ? outHeight : -outHeight, {}, 24);
        rows.resize(static_cast<std::size_t>(height));
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    if (!result)
        return std::nullopt;
    for (int y = 0; y < height; ++y)
        rows[static_cast<std::size_t>(y)] = picture.PixelAddress(0, y);
    for (int y = 0; y < outHeight; ++y) {
        std::uint8_t* out = result->PixelAddress(0, y);
        for (int x = 0; x < outWidth; ++x, out += 3) {
            int u = placement.swap ? y : x;
            int v = placement.swap ? x : y;
            u = placement.flipX ? width - 1 - u : u;
            v = placement.flipY ? height - 1 - v : v;
            std::memcpy(out, rows[static_cast<std::size_t>(v)] + std::size_t{3} * u, 3);
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
