#include "picture/face_frame.h"

#include <algorithm>

namespace picture {

namespace {

struct Extent {
    int width, height;
};

// Products in 64 bits: picture sides times face sides can pass 2^31.
int Scaled(int value, int numerator, int denominator) {
    return static_cast<int>(static_cast<long long>(value) * numerator / denominator);
}

Extent FromWidth(int width, int faceWidth, int faceHeight) {
    return {width, Scaled(width, faceHeight, faceWidth)};
}

Extent FromHeight(int height, int faceWidth, int faceHeight) {
    return {Scaled(height, faceWidth, faceHeight), height};
}

// The largest extent of the aspect within the limits, as the selection shrinks when it
// meets the picture's right edge and then its bottom edge.
Extent Within(Extent extent, int limitWidth, int limitHeight, int faceWidth, int faceHeight) {
    if (extent.width > limitWidth)
        extent = FromWidth(limitWidth, faceWidth, faceHeight);
    if (extent.height > limitHeight)
        extent = FromHeight(limitHeight, faceWidth, faceHeight);
    // A picture a pixel or two across has no frame of the aspect with both sides positive;
    // a single pixel still makes a face, and 1 x 1 passes the aspect rule of every face.
    if (extent.width < 1 || extent.height < 1)
        extent = {1, 1};
    return extent;
}

// The smallest frame of the aspect whose sides both reach the minimum.
Extent MinimumExtent(int faceWidth, int faceHeight) {
    return faceWidth <= faceHeight ? FromWidth(kMinimumFrameExtent, faceWidth, faceHeight)
                                   : FromHeight(kMinimumFrameExtent, faceWidth, faceHeight);
}

// `start` of a span of `extent` moved so that the span lies within 0 .. limit where it can.
int KeptInside(int start, int extent, int limit) {
    return std::max(0, std::min(start, limit - extent));
}

bool IsValidAspect(const FaceFrame& frame, int faceWidth, int faceHeight) {
    return frame.height == Scaled(frame.width, faceHeight, faceWidth) ||
           frame.width == Scaled(frame.height, faceWidth, faceHeight);
}

bool IsInside(const FaceFrame& frame, int pictureWidth, int pictureHeight) {
    return frame.left >= 0 && frame.top >= 0 &&
           static_cast<long long>(frame.left) + frame.width <= pictureWidth &&
           static_cast<long long>(frame.top) + frame.height <= pictureHeight;
}

}  // namespace

FaceFrame CentredFaceFrame(int pictureWidth, int pictureHeight, int faceWidth, int faceHeight) {
    if (pictureWidth <= 0 || pictureHeight <= 0 || faceWidth <= 0 || faceHeight <= 0)
        return {0, 0, 0, 0};
    const Extent extent = Within(FromWidth(pictureWidth, faceWidth, faceHeight), pictureWidth,
                                 pictureHeight, faceWidth, faceHeight);
    return {(pictureWidth - extent.width) / 2, (pictureHeight - extent.height) / 2, extent.width,
            extent.height};
}

FaceFrame DerivedFaceFrame(const FaceFrame& previous, int previousFaceWidth, int previousFaceHeight,
                           int pictureWidth, int pictureHeight, int faceWidth, int faceHeight) {
    if (previous.width <= 0 || previous.height <= 0 || faceWidth <= 0 || faceHeight <= 0)
        return CentredFaceFrame(pictureWidth, pictureHeight, faceWidth, faceHeight);
    // The shorter side of the previous face is the one the player fitted to the head.
    const Extent kept = previousFaceWidth <= previousFaceHeight
                            ? FromWidth(previous.width, faceWidth, faceHeight)
                            : FromHeight(previous.height, faceWidth, faceHeight);
    const Extent extent = Within(kept, pictureWidth, pictureHeight, faceWidth, faceHeight);
    // Doubled coordinates keep the centre of an odd-sized frame exact.
    const long long centreX2 = 2LL * previous.left + previous.width;
    const long long centreY2 = 2LL * previous.top + previous.height;
    const int left = static_cast<int>((centreX2 - extent.width) / 2);
    const int top = static_cast<int>((centreY2 - extent.height) / 2);
    return {KeptInside(left, extent.width, pictureWidth),
            KeptInside(top, extent.height, pictureHeight), extent.width, extent.height};
}

FaceFrameProblem CheckFaceFrame(const FaceFrame& frame, int pictureWidth, int pictureHeight,
                                int faceWidth, int faceHeight) {
    if (frame.width <= 0 || frame.height <= 0)
        return FaceFrameProblem::NotPositive;
    if (!IsInside(frame, pictureWidth, pictureHeight))
        return FaceFrameProblem::OutsidePicture;
    if (!IsValidAspect(frame, faceWidth, faceHeight))
        return FaceFrameProblem::WrongAspect;
    const Extent minimum = MinimumExtent(faceWidth, faceHeight);
    const bool pictureHoldsMinimum =
        minimum.width <= pictureWidth && minimum.height <= pictureHeight;
    if (pictureHoldsMinimum &&
        (frame.width < kMinimumFrameExtent || frame.height < kMinimumFrameExtent))
        return FaceFrameProblem::TooSmall;
    return FaceFrameProblem::None;
}

}  // namespace picture
