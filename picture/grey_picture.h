#pragma once

#include <cstdint>
#include <vector>

#include "picture/dib.h"

namespace picture {

// An 8-bit grey picture, top row first, rows packed, and how many picture pixels each of its
// pixels stands for on each axis.
struct GreyPicture {
    int width = 0;
    int height = 0;
    int scale = 1;
    std::vector<std::uint8_t> pixels;
};

// A grey copy of a 24- or 32-bit picture, its long side at most longSide pixels: each grey
// pixel is the mean of a square of scale x scale picture pixels (the rest of the columns and
// rows at the right and bottom edges are left out). Empty for other depths and empty pictures.
GreyPicture DownscaleToGrey(const CDIB& picture, int longSide);

}  // namespace picture
