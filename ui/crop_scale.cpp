#include "ui/crop_scale.h"

#include <cstdint>
#include <new>
#include <vector>

namespace ui {

namespace {

// The source column (or row) that target column t of `target` falls on.
int SourceIndex(int start, int extent, int t, int target) {
    return start + static_cast<int>(static_cast<long long>(t) * extent / target);
}

}  // namespace

std::optional<picture::CDIB> ScaleRegion(const picture::CDIB& source, int left, int top, int width,
                                         int height, int targetWidth, int targetHeight) {
    if (source.BitCount() != 24 || targetWidth <= 0 || targetHeight <= 0)
        return std::nullopt;
    std::optional<picture::CDIB> target;
    try {
        // A negative height makes the picture bottom-up; the buffer starts zeroed (black).
        target = picture::CDIB::CreateWithPixels(targetWidth, -targetHeight, {}, 24);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    if (!target)
        return std::nullopt;
    for (int ty = 0; ty < targetHeight; ++ty) {
        const int sy = SourceIndex(top, height, ty, targetHeight);
        for (int tx = 0; tx < targetWidth; ++tx) {
            const int sx = SourceIndex(left, width, tx, targetWidth);
            const std::uint8_t* in = source.PixelAddress(sx, sy);
            if (in == nullptr)
                continue;
            std::uint8_t* out = target->PixelAddress(tx, ty);
            out[0] = in[0];
            out[1] = in[1];
            out[2] = in[2];
        }
    }
    return target;
}

}  // namespace ui
