#pragma once

#include <QImage>
#include <QSize>
#include <array>
#include <cstdint>

#include "document/thumbnail_list.h"

namespace ui {

// The part of each face size's texture that the game shows (index: small, medium, large).
inline constexpr std::array<QSize, 3> kFaceVisibleSizes = {QSize(60, 60), QSize(96, 120),
                                                           QSize(240, 240)};

struct PreviewFaces {
    // Per size index; null where the face number has no picture of that size or it could not
    // be read.
    std::array<QImage, 3> faces;
    // Some size has a picture that could not be read.
    bool readFailed = false;
};

// The three sizes of one face number read from the image archives, each cut to its visible
// area and keeping the alpha of the slot so it can be drawn over any background.
PreviewFaces ReadPreviewFaces(const document::FaceSource& source, std::int32_t faceNumber);

}  // namespace ui
