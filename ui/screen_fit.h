#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>

class QWidget;

namespace ui {

// A top-level window's client size: `wanted` (and `minimum`) when the window with its frame
// fits the screen's available area, otherwise shrunk so that the frame's outer edge fits.
struct ClientSizes {
    QSize size;
    QSize minimum;
};
ClientSizes FitClientSizes(QSize wanted, QSize minimum, const QMargins& frame,
                           const QSize& available);

// Sizes a top-level window as FitClientSizes says for the screen it is on, and places it
// within that screen's available area. The frame is known only once the window system has
// decorated the window, so the window is fitted again then (with an estimate until then).
void FitToScreen(QWidget& window, QSize wanted, QSize minimum);

// The available area of the screen the widget is on (or will be shown on).
QRect AvailableArea(const QWidget& widget);

}  // namespace ui
