#pragma once

#include <QFont>

namespace ui {

// The editor's two fonts. The game's look asks for MingLiU, which Linux rarely has; the
// family list falls back to the closest Traditional Chinese serif faces that are installed.
QFont NormalFont();  // 16 pixels, normal weight
QFont BoldFont();    // 18 pixels, bold

}  // namespace ui
