#include "ui/crop_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRgb>
#include <QWheelEvent>
#include <algorithm>

#include "ui/crop_display.h"

namespace ui {

namespace {

constexpr int kAutoScrollIntervalMs = 30;
// One notch of a common mouse wheel.
constexpr int kWheelNotch = 120;
// The white dashes of the frame, in view pixels.
constexpr int kDashLength = 4;

// Fills the pixels of `rect` that lie inside `image`.
void Fill(QImage& image, const QRect& rect, QRgb colour) {
    const QRect inside = rect & image.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        std::fill(line + inside.left(), line + inside.right() + 1, colour);
    }
}

// White on every other run of kDashLength pixels along a one-pixel line, counted from the
// line's start so that the dashes move with the frame.
void Dash(QImage& image, const QPoint& start, const QPoint& step, int length) {
    for (int i = 0; i < length; ++i) {
        const QPoint p = start + step * i;
        if ((i / kDashLength) % 2 == 0 && image.rect().contains(p))
            image.setPixel(p, qRgb(255, 255, 255));
    }
}

}  // namespace

CropView::CropView(const picture::CDIB& picture, picture::CropSelection& selection, QWidget* parent)
    : QWidget(parent),
      m_picture(&picture),
      m_selection(&selection),
      m_zoom(picture.Width(), picture.Height()) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    m_autoScroll.setInterval(kAutoScrollIntervalMs);
    connect(&m_autoScroll, &QTimer::timeout, this, &CropView::AutoScroll);
}

void CropView::SetPicture(const picture::CDIB& picture, picture::CropSelection& selection) {
    EndDrag();
    m_picture = &picture;
    m_selection = &selection;
    m_zoomedCopy = QImage();
    m_zoomedCopyZoom = 0;
    m_zoom.SetPicture(picture.Width(), picture.Height());
    Changed(true, true);
}

void CropView::Changed(bool viewChanged, bool selectionChanged) {
    update();
    if (viewChanged)
        emit ViewChanged();
    if (selectionChanged)
        emit SelectionChanged();
}

void CropView::Fit() {
    m_zoom.Fit();
    Changed(true, false);
}

void CropView::ShowActualSize() {
    m_zoom.ShowActualSize();
    Changed(true, false);
}

void CropView::ZoomIn() {
    m_zoom.ZoomInAtCentre();
    Changed(true, false);
}

void CropView::ZoomOut() {
    m_zoom.ZoomOutAtCentre();
    Changed(true, false);
}

void CropView::SetScroll(int x, int y) {
    if (x == m_zoom.ScrollX() && y == m_zoom.ScrollY())
        return;
    m_zoom.ScrollTo(x, y);
    Changed(true, false);
}

void CropView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    m_zoom.SetViewSize(width(), height());
    Changed(true, false);
}

QPoint CropView::PicturePoint(const QPoint& viewPoint) const {
    return {m_zoom.PictureX(viewPoint.x()), m_zoom.PictureY(viewPoint.y())};
}

picture::ViewRect CropView::FrameRect() const {
    const picture::CropSelection& s = *m_selection;
    return m_zoom.ToView(s.Left(), s.Top(), s.Right(), s.Bottom());
}

QImage CropView::Render() const {
    QImage image(size(), QImage::Format_RGB32);
    if (image.isNull())
        return image;
    image.fill(Qt::black);
    DrawPicture(image);
    DrawFrame(image);
    DrawHandle(image);
    return image;
}

// Below 100 % the view copies from a zoomed copy of the whole picture, made once per zoom;
// from 100 % up it samples only the pixels in sight.
void CropView::DrawPicture(QImage& image) const {
    if (m_zoom.Zoom() >= 1.0) {
        // Up to a quarter of the picture's size again: not kept while unused.
        m_zoomedCopy = QImage();
        m_zoomedCopyZoom = 0;
        SamplePicture(*m_picture, m_zoom, image);
        return;
    }
    if (m_zoomedCopyZoom != m_zoom.Zoom()) {
        m_zoomedCopy = QImage();  // the old copy goes before the new one is made
        m_zoomedCopy = ZoomedCopy(*m_picture, m_zoom);
        m_zoomedCopyZoom = m_zoom.Zoom();
    }
    if (m_zoomedCopy.isNull())
        return;
    QPainter painter(&image);
    painter.drawImage(QPoint(0, 0), m_zoomedCopy,
                      QRect(m_zoom.ScrollX(), m_zoom.ScrollY(), image.width(), image.height()));
}

// A black line under white dashes: one of the two contrasts with whatever lies beneath.
void CropView::DrawFrame(QImage& image) const {
    const picture::ViewRect f = FrameRect();
    const int w = f.Width();
    const int h = f.Height();
    const QRgb black = qRgb(0, 0, 0);
    Fill(image, QRect(f.left, f.top, w, 1), black);
    Fill(image, QRect(f.left, f.bottom - 1, w, 1), black);
    Fill(image, QRect(f.left, f.top, 1, h), black);
    Fill(image, QRect(f.right - 1, f.top, 1, h), black);
    Dash(image, QPoint(f.left, f.top), QPoint(1, 0), w);
    Dash(image, QPoint(f.left, f.bottom - 1), QPoint(1, 0), w);
    Dash(image, QPoint(f.left, f.top), QPoint(0, 1), h);
    Dash(image, QPoint(f.right - 1, f.top), QPoint(0, 1), h);
}

void CropView::DrawHandle(QImage& image) const {
    const picture::ViewRect r = HandleRect();
    const QRect handle(r.left, r.top, r.Width(), r.Height());
    Fill(image, handle, qRgb(255, 255, 255));
    Fill(image, handle.adjusted(1, 1, -1, -1), qRgb(0, 0, 0));
}

void CropView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, Render());
}

void CropView::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (IsTracking())
        return;
    const bool panButton = event->button() == Qt::MiddleButton ||
                           event->button() == Qt::RightButton ||
                           (event->button() == Qt::LeftButton && m_spaceHeld);
    if (panButton) {
        StartDrag(Drag::Pan, pos);
        return;
    }
    if (event->button() != Qt::LeftButton || !rect().contains(pos))
        return;
    // The handle lies inside the selection's corner, so it is asked first.
    if (HandleRect().Contains(pos.x(), pos.y()))
        StartDrag(Drag::Resize, pos);
    else if (m_selection->Contains(PicturePoint(pos).x(), PicturePoint(pos).y()))
        StartDrag(Drag::Move, pos);
}

// The resize follows the corner the player sees and grabs, just beyond the frame's last
// pixel, rather than where an earlier resize left the handle.
void CropView::StartDrag(Drag drag, const QPoint& viewPoint) {
    const QPoint q = PicturePoint(viewPoint);
    const picture::CropSelection& s = *m_selection;
    if (drag == Drag::Resize)
        m_offset = q - QPoint(s.Right() + 1, s.Bottom() + 1);
    else if (drag == Drag::Move)
        m_offset = q - QPoint(s.Left(), s.Top());
    m_drag = drag;
    m_lastPosition = viewPoint;
    if (drag == Drag::Pan)
        setCursor(Qt::ClosedHandCursor);
}

void CropView::mouseMoveEvent(QMouseEvent* event) {
    if (!IsTracking())
        return;
    FollowDrag(event->position().toPoint());
    if (m_drag != Drag::Pan && !m_autoScroll.isActive())
        m_autoScroll.start();
}

// While moving, the selection freezes when the cursor leaves the view; resizing follows the
// cursor anywhere, so that the handle can be pulled to the picture's edge.
void CropView::FollowDrag(const QPoint& viewPoint) {
    if (m_drag == Drag::Pan) {
        const QPoint moved = m_lastPosition - viewPoint;
        m_lastPosition = viewPoint;
        m_zoom.ScrollBy(moved.x(), moved.y());
        Changed(true, false);
        return;
    }
    m_lastPosition = viewPoint;
    const QPoint q = PicturePoint(viewPoint) - m_offset;
    if (m_drag == Drag::Resize) {
        m_selection->ResizeTo(q.x(), q.y());
        Changed(false, true);
    } else if (m_drag == Drag::Move && rect().contains(viewPoint)) {
        m_selection->MoveTo(q.x(), q.y());
        Changed(false, true);
    }
}

// While a drag stays near an edge the view scrolls on, and the selection with it.
void CropView::AutoScroll() {
    const int dx = picture::AutoScrollStep(m_lastPosition.x(), width());
    const int dy = picture::AutoScrollStep(m_lastPosition.y(), height());
    if (m_drag == Drag::None || m_drag == Drag::Pan || (dx == 0 && dy == 0)) {
        m_autoScroll.stop();
        return;
    }
    const QPoint before = Scroll();
    m_zoom.ScrollBy(dx, dy);
    if (Scroll() == before)
        return;
    Changed(true, false);
    FollowDrag(m_lastPosition);
}

void CropView::mouseReleaseEvent(QMouseEvent* event) {
    const bool ends =
        m_drag == Drag::Pan ? event->buttons() == Qt::NoButton : event->button() == Qt::LeftButton;
    if (ends)
        EndDrag();
}

void CropView::EndDrag() {
    if (m_drag == Drag::Pan)
        unsetCursor();
    m_drag = Drag::None;
    m_offset = QPoint();
    m_autoScroll.stop();
}

void CropView::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (event->button() != Qt::LeftButton || !rect().contains(pos) || m_spaceHeld)
        return;
    const QPoint q = PicturePoint(pos);
    m_selection->MoveTo(q.x(), q.y());
    Changed(false, true);
}

// Shift turns the wheel into a horizontal scroll (some platforms already deliver it as one).
void CropView::wheelEvent(QWheelEvent* event) {
    const QPoint delta = event->angleDelta();
    const int amount = delta.y() != 0 ? delta.y() : delta.x();
    if ((event->modifiers() & Qt::ShiftModifier) || delta.y() == 0) {
        ScrollAcrossByWheel(amount);
    } else {
        const bool atCentre = event->modifiers() & Qt::ControlModifier;
        ZoomByWheel(amount,
                    atCentre ? QPoint(width() / 2, height() / 2) : event->position().toPoint());
    }
    event->accept();
}

// Fine-grained wheels send small deltas: a step is taken per notch's worth.
void CropView::ZoomByWheel(int delta, const QPoint& at) {
    m_wheelRemainder += delta;
    const int notches = m_wheelRemainder / kWheelNotch;
    m_wheelRemainder %= kWheelNotch;
    for (int i = 0; i < std::abs(notches); ++i) {
        if (notches > 0)
            m_zoom.ZoomIn(at.x(), at.y());
        else
            m_zoom.ZoomOut(at.x(), at.y());
    }
    if (notches != 0)
        Changed(true, false);
}

// A notch scrolls a tenth of the view, as a scroll bar's arrow does.
void CropView::ScrollAcrossByWheel(int delta) {
    m_zoom.ScrollBy(-delta * std::max(1, width() / 10) / kWheelNotch, 0);
    Changed(true, false);
}

void CropView::MoveSelectionBy(int dx, int dy) {
    m_selection->MoveTo(m_selection->Left() + dx, m_selection->Top() + dy);
    Changed(false, true);
}

void CropView::keyPressEvent(QKeyEvent* event) {
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const int step = event->modifiers() & Qt::ShiftModifier ? 10 : 1;
    switch (event->key()) {
        case Qt::Key_Left:
            MoveSelectionBy(-step, 0);
            return;
        case Qt::Key_Right:
            MoveSelectionBy(step, 0);
            return;
        case Qt::Key_Up:
            MoveSelectionBy(0, -step);
            return;
        case Qt::Key_Down:
            MoveSelectionBy(0, step);
            return;
        case Qt::Key_Plus:
        case Qt::Key_Equal:
            ZoomIn();
            return;
        case Qt::Key_Minus:
            ZoomOut();
            return;
        case Qt::Key_0:
            if (ctrl) {
                Fit();
                return;
            }
            break;
        case Qt::Key_1:
            if (ctrl) {
                ShowActualSize();
                return;
            }
            break;
        case Qt::Key_Space:
            if (!event->isAutoRepeat()) {
                m_spaceHeld = true;
                setCursor(Qt::OpenHandCursor);
            }
            return;
        default:
            break;
    }
    QWidget::keyPressEvent(event);
}

void CropView::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
        m_spaceHeld = false;
        if (m_drag != Drag::Pan)
            unsetCursor();
        return;
    }
    QWidget::keyReleaseEvent(event);
}

}  // namespace ui
