#pragma once

namespace picture {

// A crop frame in upright picture pixels: the top-left corner and the extent.
struct FaceFrame {
    int left, top, width, height;
};

// Frames obey the crop selection's rules. The aspect rule: one side follows the other from the
// face's aspect with truncation, height = width * faceHeight / faceWidth or width = height *
// faceWidth / faceHeight. The minimum: no side below kMinimumFrameExtent while the picture
// holds a frame of the face's aspect whose sides are both at least that long.
inline constexpr int kMinimumFrameExtent = 56;

// The largest frame of the face's aspect inside the picture, centred on it (for the odd pixel,
// the extra one lies right of or below the frame).
FaceFrame CentredFaceFrame(int pictureWidth, int pictureHeight, int faceWidth, int faceHeight);

// The frame for another face size, derived from the frame chosen for a previous one: the same
// centre and the side that was the shorter one in the previous face kept (for these faces the
// width), the other side following the new aspect. A frame that does not fit the picture
// shrinks to the largest that does; it is then moved inside the picture.
FaceFrame DerivedFaceFrame(const FaceFrame& previous, int previousFaceWidth, int previousFaceHeight,
                           int pictureWidth, int pictureHeight, int faceWidth, int faceHeight);

// Why a frame given from outside (the command line) cannot be used.
enum class FaceFrameProblem {
    None,
    NotPositive,     // a side is 0 or negative
    OutsidePicture,  // part of the frame lies outside the picture
    WrongAspect,     // neither side follows the other by the aspect rule
    TooSmall,        // a side is below the minimum although the picture allows it
};

FaceFrameProblem CheckFaceFrame(const FaceFrame& frame, int pictureWidth, int pictureHeight,
                                int faceWidth, int faceHeight);

}  // namespace picture
