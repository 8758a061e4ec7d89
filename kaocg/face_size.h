#pragma once

#include <cstdint>

namespace kaocg_func {

// Face sizes, as indexes.
enum FaceSize : int {
    kSizeSmall = 0,
    kSizeMedium = 1,
    kSizeLarge = 2,
};

inline constexpr int kFaceSizeCount = 3;

// A face's visible picture and the square texture it is stored in, its top-left corner.
struct FaceDimensions {
    std::int32_t width, height, texture;
};

inline constexpr FaceDimensions kSmallFace{60, 60, 64};
inline constexpr FaceDimensions kMediumFace{96, 120, 128};
inline constexpr FaceDimensions kLargeFace{240, 240, 256};

// The dimensions of a size index; anything but medium and large gives the small face.
constexpr FaceDimensions FaceDimensionsOf(int size) {
    return size == kSizeLarge ? kLargeFace : size == kSizeMedium ? kMediumFace : kSmallFace;
}

}  // namespace kaocg_func
