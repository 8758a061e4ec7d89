#pragma once

namespace picture {

// A rectangle in view pixels; right and bottom exclusive.
struct ViewRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool operator==(const ViewRect&) const = default;
};

// How a picture is shown in the crop dialog's view: the zoom (view pixels per picture pixel)
// and the scroll position, the view point of the zoomed picture at the view's top-left corner.
// The zoomed picture lies at the view's top-left; view pixel v shows picture pixel
// floor((v + scroll) / zoom). Until the player zooms, the view stays fitted: every size change
// refits.
class CropZoom {
public:
    static constexpr double kMinimumZoom = 1.0 / 32;
    static constexpr double kMaximumZoom = 8.0;

    CropZoom(int pictureWidth, int pictureHeight);

    // Keeps the picture point at the view's centre where it was (or refits while fitted).
    void SetViewSize(int width, int height);
    // A new picture (a turned one): fitted again.
    void SetPicture(int pictureWidth, int pictureHeight);

    double Zoom() const { return m_zoom; }
    int ZoomPercent() const;
    bool IsFitted() const { return m_fitted; }
    // The whole picture in the view, never enlarged past 100 %, never below kMinimumZoom.
    double FitZoom() const;
    double MinimumZoom() const { return FitZoom(); }

    void Fit();
    // The picture point under view point (x, y) stays there.
    void ZoomTo(double zoom, int x, int y);
    void ZoomIn(int x, int y);
    void ZoomOut(int x, int y);
    void ZoomInAtCentre() { ZoomIn(m_viewWidth / 2, m_viewHeight / 2); }
    void ZoomOutAtCentre() { ZoomOut(m_viewWidth / 2, m_viewHeight / 2); }
    void ShowActualSize() { ZoomTo(1.0, m_viewWidth / 2, m_viewHeight / 2); }
    // The next step up or down the zoom ladder from the current zoom, within the limits.
    double NextZoomIn() const;
    double NextZoomOut() const;

    int ViewWidth() const { return m_viewWidth; }
    int ViewHeight() const { return m_viewHeight; }
    // The zoomed picture's extent in view pixels.
    int ContentWidth() const { return Scaled(m_pictureWidth); }
    int ContentHeight() const { return Scaled(m_pictureHeight); }
    int ScrollX() const { return m_scrollX; }
    int ScrollY() const { return m_scrollY; }
    int ScrollLimitX() const;
    int ScrollLimitY() const;
    // Clamped to 0 ... the limit.
    void ScrollTo(int x, int y);
    void ScrollBy(int dx, int dy) { ScrollTo(m_scrollX + dx, m_scrollY + dy); }

    // The picture pixel at a coordinate of the zoomed picture (view pixel + scroll).
    int PictureCoordinate(int contentCoordinate) const;
    // The picture pixel shown at view pixel (x, y); may lie outside the picture.
    int PictureX(int viewX) const { return PictureCoordinate(viewX + m_scrollX); }
    int PictureY(int viewY) const { return PictureCoordinate(viewY + m_scrollY); }
    // The first view pixel that shows picture column (row) p: for p = the picture's width,
    // the view pixel just past it.
    int ViewX(int pictureX) const { return Scaled(pictureX) - m_scrollX; }
    int ViewY(int pictureY) const { return Scaled(pictureY) - m_scrollY; }

    // The view pixels a picture rectangle covers, at least one pixel each way so that a frame
    // shows even at the smallest zoom.
    ViewRect ToView(int left, int top, int right, int bottom) const;

private:
    int Scaled(int pictureCoordinate) const;
    double ClampZoom(double zoom) const;

    int m_pictureWidth;
    int m_pictureHeight;
    int m_viewWidth = 1;
    int m_viewHeight = 1;
    double m_zoom = 1.0;
    bool m_fitted = true;
    int m_scrollX = 0;
    int m_scrollY = 0;
};

// The resize handle of a frame drawn at `frame` (view pixels): a square inside its
// bottom-right corner, so that it lies on the picture and in reach wherever the selection is.
// Up to kHandleSize pixels, but never more than half the frame, which keeps room to grab the
// selection itself for a move.
constexpr int kHandleSize = 10;
ViewRect HandleRect(const ViewRect& frame);

// How far the view scrolls on one tick while a drag is at `position` along a view extent:
// toward the start inside the first `margin` pixels (negative), toward the end inside the
// last, faster the nearer the edge (and beyond it), 0 elsewhere.
constexpr int kAutoScrollMargin = 24;
int AutoScrollStep(int position, int extent, int margin = kAutoScrollMargin);

}  // namespace picture
