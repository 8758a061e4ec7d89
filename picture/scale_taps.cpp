#include "picture/scale_taps.h"

#include <algorithm>

namespace picture {

ScaleTaps AreaTaps(int extent, int out) {
    ScaleTaps taps;
    taps.total = static_cast<std::uint32_t>(extent);
    taps.fullWeight = static_cast<std::uint32_t>(out);
    taps.first.reserve(static_cast<std::size_t>(out) + 1);
    // Source pixel i spans [i * out, (i + 1) * out) in these units, output o
    // [o * extent, (o + 1) * extent).
    const long long n = out;
    const long long e = extent;
    for (long long o = 0; o < n; ++o) {
        taps.first.push_back(static_cast<std::uint32_t>(taps.taps.size()));
        const long long begin = o * e;
        const long long end = begin + e;
        for (long long i = begin / n; i * n < end; ++i) {
            const long long covered = std::min(end, (i + 1) * n) - std::max(begin, i * n);
            taps.taps.push_back({static_cast<int>(i), static_cast<std::uint32_t>(covered)});
        }
    }
    taps.first.push_back(static_cast<std::uint32_t>(taps.taps.size()));
    return taps;
}

ScaleTaps BilinearTaps(int extent, int out) {
    ScaleTaps taps;
    const long long unit = 2LL * out;
    taps.total = static_cast<std::uint32_t>(unit);
    taps.first.reserve(static_cast<std::size_t>(out) + 1);
    for (long long o = 0; o < out; ++o) {
        taps.first.push_back(static_cast<std::uint32_t>(taps.taps.size()));
        // The centre relative to source pixel 0's centre, in units of 1 / (2 * out).
        const long long position = (2 * o + 1) * extent - out;
        const long long i = position / unit;
        const long long fraction = position % unit;
        if (position <= 0 || i >= extent - 1) {
            const int edge = position <= 0 ? 0 : extent - 1;
            taps.taps.push_back({edge, taps.total});
            continue;
        }
        taps.taps.push_back({static_cast<int>(i), static_cast<std::uint32_t>(unit - fraction)});
        if (fraction != 0)
            taps.taps.push_back({static_cast<int>(i + 1), static_cast<std::uint32_t>(fraction)});
    }
    taps.first.push_back(static_cast<std::uint32_t>(taps.taps.size()));
    return taps;
}

}  // namespace picture
