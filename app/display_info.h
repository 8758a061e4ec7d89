#pragma once

#include "app/startup_checks.h"

namespace app {

// The primary screen's colour depth and size in device-independent pixels: the window is laid
// out in those, so a high-density screen of 1600 x 1200 at scale 2 is as small as 800 x 600.
// All zero without a screen, which the display check refuses.
DisplayInfo PrimaryDisplay();

}  // namespace app
