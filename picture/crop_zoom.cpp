#include "picture/crop_zoom.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace picture {

namespace {

// Steps a player can tell apart, each about 1.5 times the last, through 100 %.
constexpr std::array<double, 17> kZoomLadder = {
    1.0 / 32, 1.0 / 24, 1.0 / 16, 1.0 / 12, 1.0 / 8, 1.0 / 6, 1.0 / 4, 1.0 / 3, 1.0 / 2,
    2.0 / 3,  1.0,      1.5,      2.0,      3.0,     4.0,     6.0,     8.0};

// Products of picture coordinates and zooms such as 1/3 are not exact in binary; the slack
// keeps whole results whole.
constexpr double kSlack = 1e-9;

}  // namespace

CropZoom::CropZoom(int pictureWidth, int pictureHeight)
    : m_pictureWidth(std::max(1, pictureWidth)), m_pictureHeight(std::max(1, pictureHeight)) {
    m_zoom = FitZoom();
}

int CropZoom::Scaled(int pictureCoordinate) const {
    return static_cast<int>(std::ceil(pictureCoordinate * m_zoom - kSlack));
}

int CropZoom::PictureCoordinate(int contentCoordinate) const {
    return static_cast<int>(std::floor(contentCoordinate / m_zoom + kSlack));
}

double CropZoom::FitZoom() const {
    const double across = static_cast<double>(m_viewWidth) / m_pictureWidth;
    const double down = static_cast<double>(m_viewHeight) / m_pictureHeight;
    return std::clamp(std::min(across, down), kMinimumZoom, 1.0);
}

double CropZoom::ClampZoom(double zoom) const {
    return std::clamp(zoom, MinimumZoom(), kMaximumZoom);
}

int CropZoom::ZoomPercent() const {
    return static_cast<int>(std::lround(m_zoom * 100));
}

int CropZoom::ScrollLimitX() const {
    return std::max(0, ContentWidth() - m_viewWidth);
}

int CropZoom::ScrollLimitY() const {
    return std::max(0, ContentHeight() - m_viewHeight);
}

void CropZoom::ScrollTo(int x, int y) {
    m_scrollX = std::clamp(x, 0, ScrollLimitX());
    m_scrollY = std::clamp(y, 0, ScrollLimitY());
}

void CropZoom::SetViewSize(int width, int height) {
    const double centreX = (m_scrollX + m_viewWidth / 2.0) / m_zoom;
    const double centreY = (m_scrollY + m_viewHeight / 2.0) / m_zoom;
    m_viewWidth = std::max(1, width);
    m_viewHeight = std::max(1, height);
    // A larger view raises the fit; a zoom below it would leave the view partly empty.
    if (m_fitted || m_zoom <= FitZoom()) {
        m_zoom = FitZoom();
        m_fitted = true;
    }
    ScrollTo(static_cast<int>(std::lround(centreX * m_zoom - m_viewWidth / 2.0)),
             static_cast<int>(std::lround(centreY * m_zoom - m_viewHeight / 2.0)));
}

void CropZoom::SetPicture(int pictureWidth, int pictureHeight) {
    m_pictureWidth = std::max(1, pictureWidth);
    m_pictureHeight = std::max(1, pictureHeight);
    Fit();
}

void CropZoom::Fit() {
    m_zoom = FitZoom();
    m_fitted = true;
    ScrollTo(0, 0);
}

void CropZoom::ZoomTo(double zoom, int x, int y) {
    const double pictureX = (m_scrollX + x) / m_zoom;
    const double pictureY = (m_scrollY + y) / m_zoom;
    m_zoom = ClampZoom(zoom);
    m_fitted = m_zoom == FitZoom();
    ScrollTo(static_cast<int>(std::lround(pictureX * m_zoom - x)),
             static_cast<int>(std::lround(pictureY * m_zoom - y)));
}

void CropZoom::ZoomIn(int x, int y) {
    ZoomTo(NextZoomIn(), x, y);
}

void CropZoom::ZoomOut(int x, int y) {
    ZoomTo(NextZoomOut(), x, y);
}

double CropZoom::NextZoomIn() const {
    const auto next =
        std::upper_bound(kZoomLadder.begin(), kZoomLadder.end(), m_zoom * (1 + kSlack));
    return next == kZoomLadder.end() ? kMaximumZoom : ClampZoom(*next);
}

double CropZoom::NextZoomOut() const {
    const auto next =
        std::lower_bound(kZoomLadder.begin(), kZoomLadder.end(), m_zoom * (1 - kSlack));
    return next == kZoomLadder.begin() ? MinimumZoom() : ClampZoom(*(next - 1));
}

ViewRect CropZoom::ToView(int left, int top, int right, int bottom) const {
    ViewRect r{ViewX(left), ViewY(top), ViewX(right), ViewY(bottom)};
    r.right = std::max(r.right, r.left + 1);
    r.bottom = std::max(r.bottom, r.top + 1);
    return r;
}

ViewRect HandleRect(const ViewRect& frame) {
    const int side = std::clamp(std::min(frame.Width(), frame.Height()) / 2, 1, kHandleSize);
    return {frame.right - side, frame.bottom - side, frame.right, frame.bottom};
}

int AutoScrollStep(int position, int extent, int margin) {
    margin = std::min(margin, extent / 4);
    if (margin <= 0)
        return 0;
    // Past the edge the depth keeps growing, up to a cap that stays controllable.
    const int cap = 4 * margin;
    if (position < margin)
        return -(1 + std::min(margin - position, cap) / 2);
    if (position >= extent - margin)
        return 1 + std::min(position - (extent - margin) + 1, cap) / 2;
    return 0;
}

}  // namespace picture
