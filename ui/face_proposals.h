#pragma once

#include <vector>

#include "picture/dib.h"
#include "picture/face_frame.h"

namespace ui {

// The crop selections proposed around the faces found in an upright picture, largest face
// first, for a face of targetWidth x targetHeight. Empty when no face is found, the cascade
// file is missing or unreadable, or the build cannot detect faces: the crop dialog then
// keeps its centred frame.
std::vector<picture::FaceFrame> ProposeFaceFrames(const picture::CDIB& picture, int targetWidth,
                                                  int targetHeight);

}  // namespace ui
