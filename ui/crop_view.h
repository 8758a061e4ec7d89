#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>

#include "picture/crop_selection.h"

namespace ui {

// The crop dialog's view: the picture at 1:1 from the scroll position, the selection framed
// by inverting the pixels under it, and the resize handle. The mouse moves the selection
// (press inside it), resizes it (press on the handle) or places it (double-click).
class CropView : public QWidget {
    Q_OBJECT

public:
    // `picture` is copied (Qt shares it); `selection` must outlive the view.
    CropView(const QImage& picture, CropSelection& selection, QWidget* parent = nullptr);

    // The picture point shown at the view's top-left corner.
    void SetScroll(int x, int y);
    QPoint Scroll() const { return m_scroll; }
    bool IsTracking() const { return m_tracking; }
    bool IsResizing() const { return m_resizing; }

    // The view's pixels as they are painted.
    QImage Render() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QPoint PicturePoint(const QPoint& viewPoint) const;
    void DrawFrame(QImage& image) const;
    void DrawHandle(QImage& image) const;
    void EndTracking();

    QImage m_picture;
    CropSelection& m_selection;
    QPoint m_scroll;
    QPoint m_offset{-1, -1};
    bool m_tracking = false;
    bool m_resizing = false;
};

}  // namespace ui
