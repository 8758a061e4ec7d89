#pragma once

#include <QCoreApplication>
#include <functional>

class QWidget;

namespace app {

// For scripts that run the editor without a person at it (the demo, the start-up benchmark),
// read from the environment once loading has finished:
//   KAOCG_SCREENSHOT=FILE    saves a picture of the main window once it has been painted and
//                            quits (exit code 0, or 1 when the picture cannot be saved);
//   KAOCG_EXIT_AFTER_LOAD=1  quits with 0 as soon as the event loop starts;
//   KAOCG_CROP_PREVIEW=FILE  opens the crop dialog for the large face on FILE as the load
//                            dialog would (upright, fitted, on its first frame); with
//                            KAOCG_SCREENSHOT the picture is of that dialog. A file that gives
//                            no picture quits with 1, the reason on standard error.
// Does nothing when none is set. quit ends the event loop with an exit code.
void ArmUnattendedRun(QWidget& mainWindow, std::function<void(int)> quit = &QCoreApplication::exit);

}  // namespace app
