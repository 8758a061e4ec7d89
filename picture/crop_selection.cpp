#include "picture/crop_selection.h"

#include <algorithm>

namespace picture {

namespace {

// The bounds may come in either order when the picture is smaller than the selection: the
// smaller one is the lower bound.
int ClampBetween(int value, int a, int b) {
    return std::clamp(value, std::min(a, b), std::max(a, b));
}

}  // namespace

CropSelection::CropSelection(int pictureWidth, int pictureHeight, int targetWidth, int targetHeight)
    : m_pictureWidth(pictureWidth),
      m_pictureHeight(pictureHeight),
      m_targetWidth(targetWidth),
      m_targetHeight(targetHeight),
      m_right(targetWidth),
      m_bottom(targetHeight),
      m_handleX(targetWidth + 1),
      m_handleY(targetHeight + 1) {}

bool CropSelection::Contains(int x, int y) const {
    return x >= m_left && x < m_right && y >= m_top && y < m_bottom;
}

void CropSelection::Place(int left, int top, int width, int height) {
    if (width <= 0 || height <= 0)
        return;
    m_right = m_left + width;
    m_bottom = m_top + height;
    MoveTo(left, top);
}

// A picture smaller than the selection pins it at 0: the upper bound is applied first.
void CropSelection::MoveTo(int x, int y) {
    const int w = Width();
    const int h = Height();
    x = std::max(0, std::min(x, m_pictureWidth - w));
    y = std::max(0, std::min(y, m_pictureHeight - h));
    m_left = x;
    m_top = y;
    m_right = x + w;
    m_bottom = y + h;
    m_handleX = m_right + 1;
    m_handleY = m_bottom + 1;
}

// The handle keeps where the user put it (within bounds) even when the aspect or the picture
// edge then shortens the selection; it is brought back beside the selection by the next move.
void CropSelection::ResizeTo(int x, int y) {
    m_handleX = ClampBetween(x, m_left + kMinimumExtent + 1, m_pictureWidth + 1);
    m_handleY = ClampBetween(y, m_top + kMinimumExtent + 1, m_pictureHeight + 1);
    m_right = m_handleX - 1;
    m_bottom = m_handleY - 1;
    FitAspect();
    FitPicture();
}

// The larger of the two relative extents wins; products in 64 bits so that huge pictures
// cannot overflow.
void CropSelection::FitAspect() {
    const long long w = Width();
    const long long h = Height();
    const long long widthSide = w * m_targetHeight;
    const long long heightSide = h * m_targetWidth;
    if (widthSide > heightSide)
        m_bottom = m_top + static_cast<int>(widthSide / m_targetWidth);
    else if (widthSide < heightSide)
        m_right = m_left + static_cast<int>(heightSide / m_targetHeight);
}

void CropSelection::FitPicture() {
    if (m_right > m_pictureWidth) {
        m_right = m_pictureWidth;
        m_bottom = m_top + static_cast<int>(static_cast<long long>(m_pictureWidth - m_left) *
                                            m_targetHeight / m_targetWidth);
    }
    if (m_bottom > m_pictureHeight) {
        m_bottom = m_pictureHeight;
        m_right = m_left + static_cast<int>(static_cast<long long>(m_pictureHeight - m_top) *
                                            m_targetWidth / m_targetHeight);
    }
}

}  // namespace picture
