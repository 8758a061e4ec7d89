#pragma once

class QWidget;

namespace app {

// Shows a window that a later start asked for: restored when minimised (keeping a maximised
// state), raised and activated, and then the modal dialog it is waiting on, if any, on top,
// since that dialog is what the user has to answer first.
void BringForward(QWidget& window);

}  // namespace app
