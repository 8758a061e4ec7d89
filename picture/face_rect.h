#pragma once

namespace picture {

// Where a face was found, in picture pixels: top-left corner and extent, the top row of the
// upright picture being y = 0.
struct FaceRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    friend bool operator==(const FaceRect&, const FaceRect&) = default;
};

}  // namespace picture
