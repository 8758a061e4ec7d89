#include "ui/crop_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace ui {

CropView::CropView(const QImage& picture, CropSelection& selection, QWidget* parent)
    : QWidget(parent), m_picture(picture), m_selection(selection) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CropView::SetScroll(int x, int y) {
    m_scroll = QPoint(x, y);
    update();
}

QPoint CropView::PicturePoint(const QPoint& viewPoint) const {
    return m_scroll + viewPoint;
}

QImage CropView::Render() const {
    QImage image(size(), QImage::Format_RGB32);
    if (image.isNull())
        return image;
    image.fill(Qt::black);
    {
        QPainter painter(&image);
        const QPoint from(std::max(m_scroll.x(), 0), std::max(m_scroll.y(), 0));
        const QRect source = QRect(from, image.size()) & m_picture.rect();
        if (!source.isEmpty())
            painter.drawImage(source.topLeft() - from, m_picture, source);
    }
    DrawFrame(image);
    DrawHandle(image);
    return image;
}

// A bitwise XOR of white inverts whatever lies under the frame, so it shows on any picture.
// Each edge covers the selection's full length, so the corners are inverted twice and keep
// their colour.
void CropView::DrawFrame(QImage& image) const {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    const int dx = -m_scroll.x();
    const int dy = -m_scroll.y();
    const CropSelection& s = m_selection;
    const QRect edges[] = {
        QRect(dx + s.Left(), dy + s.Top(), s.Width(), 1),
        QRect(dx + s.Left(), dy + s.Bottom() - 1, s.Width(), 1),
        QRect(dx + s.Left(), dy + s.Top(), 1, s.Height()),
        QRect(dx + s.Right() - 1, dy + s.Top(), 1, s.Height()),
    };
    for (const QRect& edge : edges) {
        const QRect visible = edge & image.rect();
        if (!visible.isEmpty())
            painter.fillRect(visible, Qt::white);
    }
}

// Drawn only when the whole handle is in sight, so that it is never half a square.
void CropView::DrawHandle(QImage& image) const {
    const int size = CropSelection::kHandleSize;
    const QRect handle(m_selection.HandleX() - m_scroll.x(), m_selection.HandleY() - m_scroll.y(),
                       size, size);
    if (!image.rect().contains(handle))
        return;
    QPainter painter(&image);
    painter.fillRect(handle, Qt::white);
    painter.fillRect(handle.adjusted(1, 1, -1, -1), Qt::black);
}

void CropView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, Render());
}

void CropView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !rect().contains(event->position().toPoint()))
        return;
    const QPoint q = PicturePoint(event->position().toPoint());
    if (m_selection.Contains(q.x(), q.y())) {
        m_offset = q - QPoint(m_selection.Left(), m_selection.Top());
        m_tracking = true;
    } else if (m_selection.HandleContains(q.x(), q.y())) {
        m_resizing = true;
        m_offset = q - QPoint(m_selection.HandleX(), m_selection.HandleY());
        m_tracking = true;
    }
}

// While moving, the selection freezes when the cursor leaves the view; resizing follows the
// cursor anywhere, so that the handle can be pulled to the picture's edge.
void CropView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    const QPoint q = PicturePoint(pos) - m_offset;
    if (m_resizing) {
        m_selection.ResizeTo(q.x(), q.y());
        update();
    } else if (m_offset.x() >= 0 && m_offset.y() >= 0 && rect().contains(pos)) {
        m_selection.MoveTo(q.x(), q.y());
        update();
    }
}

void CropView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        EndTracking();
}

void CropView::EndTracking() {
    m_offset = QPoint(-1, -1);
    m_resizing = false;
    m_tracking = false;
}

void CropView::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (event->button() != Qt::LeftButton || !rect().contains(pos))
        return;
    const QPoint q = PicturePoint(pos);
    m_selection.MoveTo(q.x(), q.y());
    update();
}

}  // namespace ui
