#pragma once

#include <span>
#include <vector>

#include "picture/face_frame.h"
#include "picture/face_rect.h"

namespace picture {

// The crop selection proposed around a found face for a face size of faceWidth x faceHeight:
// the head with a margin of half the face's width on each side, a little lower than the face
// so that the neck shows, of the face's exact aspect, at least 56 pixels on each side and
// wholly inside the picture. A picture too small for such a frame gets the centred frame.
FaceFrame FaceFrameAround(const FaceRect& face, int pictureWidth, int pictureHeight, int faceWidth,
                          int faceHeight);

// One frame per face in the order given; the centred frame alone when there is no face.
std::vector<FaceFrame> SuggestFaceFrames(std::span<const FaceRect> faces, int pictureWidth,
                                         int pictureHeight, int faceWidth, int faceHeight);

}  // namespace picture
