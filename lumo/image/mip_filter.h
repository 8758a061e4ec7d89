#pragma once

#include <cstdint>
#include <vector>

#include "lumo/image/image.h"

namespace lumo {

enum MipFilter : std::uint32_t {
    kFilterBox = 0,
    kFilterAlphaWeighted = 1,      // weight limit 1.0
    kFilterAlphaWeightedHalf = 2,  // weight limit 0.5
    kFilterNormal = 3,             // normal vectors, scale 1.0
};

// Makes the next smaller level, max(1, W/2) x max(1, H/2) pixels of 4 floats, from a direct
// image of W x H. Fails, leaving dest untouched, when the image does not hold W x H pixels.
// An unknown filter code leaves dest untouched and still succeeds.
bool MakeHalfLevel(const CImage& source, std::uint32_t width, std::uint32_t height,
                   std::uint32_t filter, std::vector<float>& dest);

}  // namespace lumo
