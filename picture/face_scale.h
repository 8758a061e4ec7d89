#pragma once

#include <optional>

#include "picture/dib.h"

namespace picture {

enum class FaceScaling {
    // Shrinking: each face pixel is the mean of the picture pixels its footprint covers, the
    // partly covered ones weighted by the part covered. Enlarging: bilinear interpolation
    // between the nearest four pixel centres. Each direction chooses on its own.
    AreaAverage,
    // Each face pixel takes the one picture pixel it falls on, with no blending: the result of
    // the platform's colour-on-colour stretch that the first version of the editor used.
    Nearest,
};

// The region (left, top, width, height) of a 24-bit picture, in picture pixels with (0, 0) the
// top-left pixel, scaled to a new 24-bit bottom-up picture of faceWidth x faceHeight. The
// region may reach outside the picture (a picture smaller than the face); what lies outside is
// black. Nothing when the picture is not 24-bit, the face extent is not positive, an area
// averaged region is empty or taller or wider than 2^24 pixels, or memory is short.
std::optional<CDIB> ScaleCropToFace(const CDIB& picture, int left, int top, int width, int height,
                                    int faceWidth, int faceHeight, FaceScaling scaling);

}  // namespace picture
