#include "ui/crop_scale.h"

#include "picture/face_scale.h"

namespace ui {

std::optional<picture::CDIB> ScaleRegion(const picture::CDIB& source, int left, int top, int width,
                                         int height, int targetWidth, int targetHeight) {
    return picture::ScaleCropToFace(source, left, top, width, height, targetWidth, targetHeight,
                                    picture::FaceScaling::Nearest);
}

}  // namespace ui
