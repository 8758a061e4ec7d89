#pragma once

#include <QImage>

#include "picture/crop_zoom.h"
#include "picture/dib.h"

namespace ui {

// The whole 24-bit picture at `zoom`'s zoom (below 100 %), each pixel the mean of the picture
// pixels it stands for. Made once per zoom level, so that a repaint copies a view-sized part
// of it instead of scaling the full picture. A null image when memory is short.
QImage ZoomedCopy(const picture::CDIB& picture, const picture::CropZoom& zoom);

// Paints into `view` (RGB32, the view's size) the picture pixels the view shows at `zoom`,
// each view pixel taking the one picture pixel it falls on. Only the view's pixels are
// touched, so the cost does not grow with the picture. Pixels beyond the picture are left.
void SamplePicture(const picture::CDIB& picture, const picture::CropZoom& zoom, QImage& view);

}  // namespace ui
