#include "lumo/image/mip_filter.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace lumo {
namespace {

// The source pixels that make one destination pixel, at most 2 x 2.
struct Window {
    const float* pixels[4] = {};
    int count = 0;
};

void Average(const Window& window, float* out) {
    const float n = static_cast<float>(window.count);
    for (int c = 0; c < 4; ++c) {
        float sum = 0.0f;
        for (int k = 0; k < window.count; ++k) {
            sum += window.pixels[k][c];
        }
        out[c] = sum / n;
    }
}

// Colour weighted by alpha so that transparent texels do not bleed their colour into the
// level; limit < 1 lets half-transparent texels count as much as opaque ones.
void AlphaWeighted(const Window& window, float limit, float* out) {
    Average(window, out);  // alpha, and the colour of a fully transparent window
    float maxAlpha = 0.0f;
    for (int k = 0; k < window.count; ++k) {
        maxAlpha = std::max(maxAlpha, window.pixels[k][3]);
    }
    if (!(maxAlpha > 0.0f)) {
        return;
    }
    float sums[3] = {};
    float weightSum = 0.0f;
    for (int k = 0; k < window.count; ++k) {
        // An alpha below 0 (outside the nominal range) weighs nothing, so the weight sum stays
        // positive once one alpha is.
        const float weight = std::clamp(window.pixels[k][3], 0.0f, limit);
        for (int c = 0; c < 3; ++c) {
            sums[c] += window.pixels[k][c] * weight;
        }
        weightSum += weight;
    }
    for (int c = 0; c < 3; ++c) {
        out[c] = sums[c] / weightSum;
    }
}

// Normal maps: the averaged vector is renormalised to unit length.
void NormalVector(const Window& window, float scale, float* out) {
    Average(window, out);
    float v[3];
    for (int c = 0; c < 3; ++c) {
        v[c] = 2.0f * out[c] / scale - 1.0f;
    }
    const float length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    if (!(length > 0.0f)) {
        return;  // no direction to keep; the averaged colour stays
    }
    for (int c = 0; c < 3; ++c) {
        out[c] = scale * (v[c] / length + 1.0f) / 2.0f;
    }
}

bool IsKnownFilter(std::uint32_t filter) {
    return filter == kFilterBox || filter == kFilterAlphaWeighted ||
           filter == kFilterAlphaWeightedHalf || filter == kFilterNormal;
}

void FilterWindow(const Window& window, std::uint32_t filter, float* out) {
    switch (filter) {
        case kFilterBox:
            Average(window, out);
            break;
        case kFilterAlphaWeighted:
            AlphaWeighted(window, 1.0f, out);
            break;
        case kFilterAlphaWeightedHalf:
            AlphaWeighted(window, 0.5f, out);
            break;
        default:
            NormalVector(window, 1.0f, out);
            break;
    }
}

}  // namespace

bool MakeHalfLevel(const CImage& source, std::uint32_t width, std::uint32_t height,
                   std::uint32_t filter, std::vector<float>& dest) {
    const std::vector<float>& pixels = source.Pixels();
    if (width == 0 || height == 0 || pixels.size() != std::uint64_t{width} * height * 4) {
        return false;
    }
    if (!IsKnownFilter(filter)) {
        return true;
    }
    const std::uint32_t halfWidth = std::max(1u, width / 2);
    const std::uint32_t halfHeight = std::max(1u, height / 2);
    // The window follows the destination: a level one pixel wide (or high) takes one column
    // (or row) of the source, even when the source has two.
    const std::uint32_t spanX = std::min(halfWidth, 2u);
    const std::uint32_t spanY = std::min(halfHeight, 2u);
    dest.assign(std::size_t{halfWidth} * halfHeight * 4, 0.0f);
    for (std::uint32_t j = 0; j < halfHeight; ++j) {
        for (std::uint32_t i = 0; i < halfWidth; ++i) {
            Window window;
            for (std::uint32_t b = 0; b < spanY; ++b) {
                for (std::uint32_t a = 0; a < spanX; ++a) {
                    const std::size_t at = std::size_t{2 * j + b} * width + (2 * i + a);
                    window.pixels[window.count++] = &pixels[at * 4];
                }
            }
            FilterWindow(window, filter, &dest[(std::size_t{j} * halfWidth + i) * 4]);
        }
    }
    return true;
}

}  // namespace lumo
