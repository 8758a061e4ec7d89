#pragma once

#include <QImage>
#include <QPoint>
#include <QTimer>
#include <QWidget>

#include "picture/crop_selection.h"
#include "picture/crop_zoom.h"
#include "picture/dib.h"

namespace ui {

// The crop dialog's view: the picture at the zoom and scroll of its CropZoom, the selection's
// frame (black under white dashes, so it shows on any picture) and the resize handle inside the
// frame's bottom-right corner. The left button moves the selection (press inside it), resizes
// it (press on the handle) or places it (double-click); the middle or right button, or Space
// with the left, pans. The wheel zooms around the cursor (with Ctrl around the centre, with
// Shift it scrolls across); + and - step the zoom, Ctrl+0 fits, Ctrl+1 shows 100 %; the
// arrow keys move the selection one picture pixel (Shift: 10).
class CropView : public QWidget {
    Q_OBJECT

public:
    // `picture` (24-bit) and `selection` must outlive the view, or until the next SetPicture.
    CropView(const picture::CDIB& picture, picture::CropSelection& selection,
             QWidget* parent = nullptr);

    // A new picture (a turned one) and its selection: fitted again.
    void SetPicture(const picture::CDIB& picture, picture::CropSelection& selection);

    const picture::CropZoom& Zoom() const { return m_zoom; }
    void Fit();
    void ShowActualSize();
    void ZoomIn();
    void ZoomOut();
    // The point of the zoomed picture shown at the view's top-left corner.
    void SetScroll(int x, int y);
    QPoint Scroll() const { return {m_zoom.ScrollX(), m_zoom.ScrollY()}; }

    bool IsTracking() const { return m_drag != Drag::None; }
    bool IsResizing() const { return m_drag == Drag::Resize; }
    bool IsPanning() const { return m_drag == Drag::Pan; }
    picture::ViewRect FrameRect() const;
    picture::ViewRect HandleRect() const { return picture::HandleRect(FrameRect()); }

    // The view's pixels as they are painted.
    QImage Render() const;

signals:
    // The zoom or the scroll position changed.
    void ViewChanged();
    // The selection moved or changed its size.
    void SelectionChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    enum class Drag { None, Move, Resize, Pan };

    QPoint PicturePoint(const QPoint& viewPoint) const;
    void StartDrag(Drag drag, const QPoint& viewPoint);
    void FollowDrag(const QPoint& viewPoint);
    void EndDrag();
    void AutoScroll();
    void MoveSelectionBy(int dx, int dy);
    void ZoomByWheel(int delta, const QPoint& at);
    void ScrollAcrossByWheel(int delta);
    void Changed(bool viewChanged, bool selectionChanged);
    void DrawPicture(QImage& image) const;
    void DrawFrame(QImage& image) const;
    void DrawHandle(QImage& image) const;

    const picture::CDIB* m_picture;
    picture::CropSelection* m_selection;
    picture::CropZoom m_zoom;
    // The picture at the current zoom below 100 %, made when first painted at that zoom.
    mutable QImage m_zoomedCopy;
    mutable double m_zoomedCopyZoom = 0;
    Drag m_drag = Drag::None;
    QPoint m_offset;
    QPoint m_lastPosition;
    bool m_spaceHeld = false;
    int m_wheelRemainder = 0;
    QTimer m_autoScroll;
};

}  // namespace ui
