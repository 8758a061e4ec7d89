#include "ui/screen_fit.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace ui {
namespace {

// What a usual window manager adds before it tells: a title bar and thin borders.
constexpr QMargins kEstimatedFrame(4, 30, 4, 4);
// How many events the window is watched for its real frame before the estimate stands.
constexpr int kWatchedEvents = 16;

QMargins FrameOf(const QWidget& window) {
    const QRect outer = window.frameGeometry();
    const QRect inner = window.geometry();
    return QMargins(inner.left() - outer.left(), inner.top() - outer.top(),
                    outer.right() - inner.right(), outer.bottom() - inner.bottom());
}

void Apply(QWidget& window, QSize wanted, QSize minimum, const QMargins& frame) {
    const QRect available = AvailableArea(window);
    const ClientSizes sizes = FitClientSizes(wanted, minimum, frame, available.size());
    window.setMinimumSize(sizes.minimum);
    window.resize(sizes.size);
    // A window not yet shown is placed by the window system, inside the area.
    if (!window.isVisible())
        return;
    const QSize outer = window.size().grownBy(frame);
    const int x = std::clamp(window.x(), available.left(),
                             std::max(available.left(), available.right() + 1 - outer.width()));
    const int y = std::clamp(window.y(), available.top(),
                             std::max(available.top(), available.bottom() + 1 - outer.height()));
    window.move(x, y);
}

// Fits the window again once the window system has told its frame, then goes.
class FrameWatcher : public QObject {
public:
    FrameWatcher(QWidget& window, QSize wanted, QSize minimum)
        : QObject(&window), m_window(window), m_wanted(wanted), m_minimum(minimum) {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != &m_window ||
            (event->type() != QEvent::Move && event->type() != QEvent::Show))
            return false;
        const QMargins frame = FrameOf(m_window);
        if (!frame.isNull() || ++m_seen >= kWatchedEvents) {
            m_window.removeEventFilter(this);
            Apply(m_window, m_wanted, m_minimum, frame.isNull() ? kEstimatedFrame : frame);
            deleteLater();
        }
        return false;
    }

private:
    QWidget& m_window;
    QSize m_wanted;
    QSize m_minimum;
    int m_seen = 0;
};

}  // namespace

ClientSizes FitClientSizes(QSize wanted, QSize minimum, const QMargins& frame,
                           const QSize& available) {
    const QSize room = available.shrunkBy(frame).expandedTo(QSize(1, 1));
    return {wanted.boundedTo(room), minimum.boundedTo(room)};
}

QRect AvailableArea(const QWidget& widget) {
    const QScreen* screen = widget.screen();
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 800, 600);
}

void FitToScreen(QWidget& window, QSize wanted, QSize minimum) {
    const QMargins frame = FrameOf(window);
    Apply(window, wanted, minimum, frame.isNull() ? kEstimatedFrame : frame);
    if (frame.isNull())
        new FrameWatcher(window, wanted, minimum);
}

}  // namespace ui
