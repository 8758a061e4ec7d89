#pragma once

#include "picture/face_frame.h"

namespace picture {

// The crop dialog's selection in picture pixels (right and bottom exclusive) with the corner
// (handleX, handleY) that a resize drags. The rules work in picture pixels only, so they hold
// at every zoom; where the handle is drawn and grabbed is the view's business (crop_zoom.h).
class CropSelection {
public:
    // The selection never shrinks below this while the picture allows it.
    static constexpr int kMinimumExtent = kMinimumFrameExtent;

    CropSelection(int pictureWidth, int pictureHeight, int targetWidth, int targetHeight);

    int Left() const { return m_left; }
    int Top() const { return m_top; }
    int Right() const { return m_right; }
    int Bottom() const { return m_bottom; }
    int Width() const { return m_right - m_left; }
    int Height() const { return m_bottom - m_top; }
    int HandleX() const { return m_handleX; }
    int HandleY() const { return m_handleY; }
    int PictureWidth() const { return m_pictureWidth; }
    int PictureHeight() const { return m_pictureHeight; }
    int TargetWidth() const { return m_targetWidth; }
    int TargetHeight() const { return m_targetHeight; }

    bool Contains(int x, int y) const;

    // Puts the selection at (left, top) with the given size, then keeps it inside the picture
    // as a move does. The caller gives the target's aspect; non-positive sizes are ignored.
    void Place(int left, int top, int width, int height);

    // Keeps the size; the top-left corner goes to (x, y) kept inside the picture.
    void MoveTo(int x, int y);
    // The handle goes to (x, y); the selection follows it, keeping the target's aspect and
    // staying inside the picture.
    void ResizeTo(int x, int y);

private:
    void FitAspect();
    void FitPicture();

    int m_pictureWidth;
    int m_pictureHeight;
    int m_targetWidth;
    int m_targetHeight;
    int m_left = 0;
    int m_top = 0;
    int m_right;
    int m_bottom;
    int m_handleX;
    int m_handleY;
};

}  // namespace picture
