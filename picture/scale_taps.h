#pragma once

#include <cstdint>
#include <vector>

namespace picture {

// One direction of a separable resampling: for every output pixel, the source pixels it is
// made of and their integer weights. Every output's weights add up to `total`, so that the
// result is exact and rounded once at the end.
struct ScaleTaps {
    struct Tap {
        int source;  // counted from the region's first pixel
        std::uint32_t weight;
    };
    std::uint32_t total = 0;
    // The weight of a source pixel wholly inside an output's footprint (out, when shrinking);
    // 0 when no weight is common enough to be worth summing unweighted first.
    std::uint32_t fullWeight = 0;
    std::vector<std::uint32_t> first;  // output o uses taps[first[o]] .. taps[first[o + 1] - 1]
    std::vector<Tap> taps;
};

// Shrinking (or keeping) `extent` source pixels to `out`: output o covers the source span
// [o * extent / out, (o + 1) * extent / out); weights are the covered lengths in units of
// 1 / out of a source pixel, so total = extent. Requires extent >= out > 0.
ScaleTaps AreaTaps(int extent, int out);

// Enlarging: output o's centre (o + 1/2) * extent / out falls between two source centres and
// takes them in proportion; before the first centre or past the last one it takes that pixel.
// Weights are in units of 1 / (2 * out), so total = 2 * out. Requires 0 < extent < out.
ScaleTaps BilinearTaps(int extent, int out);

}  // namespace picture
