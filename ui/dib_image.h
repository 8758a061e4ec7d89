#pragma once

#include <QImage>

#include "picture/dib.h"

namespace ui {

// What the fourth byte of a 32-bit picture means.
enum class DibAlpha {
    kUse,     // alpha: the face slots carry their visible area and rounded corners in it
    kIgnore,  // padding: every pixel is opaque
};

// A copy of a picture as a QImage with the top row first, whatever the picture's row order.
// 24-bit pictures become opaque images, 32-bit ones keep or drop their fourth byte; other
// depths go through a 24-bit copy, so indexed pictures show their colour tables. A null image
// for a picture without pixels.
QImage DibToImage(const picture::CDIB& dib, DibAlpha alpha = DibAlpha::kUse);

// The same picture, opaque, as an RGB32 image: the format that pixmaps of opaque pictures are
// kept in, so that QPixmap::fromImage takes it as it is instead of converting every pixel.
// The list makes a pixmap of every thumbnail it shows.
QImage DibToRgb32Image(const picture::CDIB& dib);

}  // namespace ui
