#include "picture/crop_zoom.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "picture/crop_selection.h"

namespace {

using picture::CropZoom;
using picture::ViewRect;

CropZoom Viewed(int pictureWidth, int pictureHeight, int viewWidth, int viewHeight) {
    CropZoom zoom(pictureWidth, pictureHeight);
    zoom.SetViewSize(viewWidth, viewHeight);
    return zoom;
}

TEST(CropZoomTest, FitShowsTheWholePictureAndNeverEnlarges) {
    const CropZoom photo = Viewed(4000, 3000, 1000, 700);
    EXPECT_DOUBLE_EQ(photo.Zoom(), 700.0 / 3000);
    EXPECT_TRUE(photo.IsFitted());
    EXPECT_LE(photo.ContentWidth(), 1000);
    EXPECT_EQ(photo.ContentHeight(), 700);
    EXPECT_EQ(photo.ScrollLimitX(), 0);
    EXPECT_EQ(photo.ScrollLimitY(), 0);
    EXPECT_EQ(photo.ZoomPercent(), 23);

    const CropZoom small = Viewed(200, 100, 1000, 700);
    EXPECT_DOUBLE_EQ(small.Zoom(), 1.0);
    // A picture too long for 1/32 stops there and scrolls.
    const CropZoom strip = Viewed(100000, 10, 1000, 700);
    EXPECT_DOUBLE_EQ(strip.Zoom(), CropZoom::kMinimumZoom);
    EXPECT_EQ(strip.ScrollLimitX(), 3125 - 1000);
}

TEST(CropZoomTest, StepsRunFromTheFitToEightfoldAndBack) {
    CropZoom zoom = Viewed(4000, 3000, 1000, 700);
    const double fit = zoom.Zoom();
    EXPECT_DOUBLE_EQ(zoom.NextZoomOut(), fit);
    zoom.ZoomIn(0, 0);
    EXPECT_DOUBLE_EQ(zoom.Zoom(), 0.25);
    EXPECT_FALSE(zoom.IsFitted());
    for (int i = 0; i < 20; ++i)
        zoom.ZoomIn(0, 0);
    EXPECT_DOUBLE_EQ(zoom.Zoom(), CropZoom::kMaximumZoom);
    zoom.ZoomOut(0, 0);
    EXPECT_DOUBLE_EQ(zoom.Zoom(), 6.0);
    for (int i = 0; i < 20; ++i)
        zoom.ZoomOut(0, 0);
    EXPECT_DOUBLE_EQ(zoom.Zoom(), fit);
    // Zoomed all the way out, the view is fitted again and follows size changes.
    EXPECT_TRUE(zoom.IsFitted());

    // A huge picture starts at 1/32 and cannot go below it.
    CropZoom huge = Viewed(200000, 150000, 1000, 700);
    huge.ZoomOut(0, 0);
    EXPECT_DOUBLE_EQ(huge.Zoom(), CropZoom::kMinimumZoom);
}

TEST(CropZoomTest, ZoomingKeepsThePicturePointUnderTheCursor) {
    CropZoom zoom = Viewed(4000, 3000, 1000, 700);
    zoom.ShowActualSize();
    zoom.ScrollTo(1500, 1200);
    const int x = 300;
    const int y = 200;
    const int pictureX = zoom.PictureX(x);
    const int pictureY = zoom.PictureY(y);
    for (int i = 0; i < 3; ++i) {
        zoom.ZoomIn(x, y);
        EXPECT_NEAR(zoom.PictureX(x), pictureX, 1) << zoom.Zoom();
        EXPECT_NEAR(zoom.PictureY(y), pictureY, 1) << zoom.Zoom();
    }
    zoom.ZoomTo(0.5, x, y);
    EXPECT_NEAR(zoom.PictureX(x), pictureX, 2);
    EXPECT_NEAR(zoom.PictureY(y), pictureY, 2);
}

TEST(CropZoomTest, ViewAndPicturePixelsMapBothWaysAtOddZooms) {
    for (const double z : {1.0 / 3, 2.0 / 3, 1.0, 1.5, 3.0, 8.0}) {
        CropZoom zoom = Viewed(999, 777, 400, 300);
        zoom.ZoomTo(z, 0, 0);
        zoom.ScrollTo(37, 21);
        for (int p = 0; p < 999; p += 37) {
            // The first view pixel at or after a picture column shows that column, or below
            // 100 % one of the columns it stands for; the pixel before it lies before it.
            const int v = zoom.ViewX(p);
            ASSERT_GE(zoom.PictureX(v), p) << z << " " << p;
            ASSERT_LT(zoom.PictureX(v), p + std::max(1.0, 1 / z)) << z << " " << p;
            ASSERT_LT(zoom.PictureX(v - 1), p) << z << " " << p;
        }
        // The picture's far edge is the content's far edge.
        EXPECT_EQ(zoom.ViewX(999) + zoom.ScrollX(), zoom.ContentWidth()) << z;
        EXPECT_EQ(zoom.ViewY(777) + zoom.ScrollY(), zoom.ContentHeight()) << z;
    }
}

TEST(CropZoomTest, ScrollStaysWithinTheZoomedPicture) {
    CropZoom zoom = Viewed(4000, 3000, 1000, 700);
    zoom.ShowActualSize();
    EXPECT_EQ(zoom.ScrollLimitX(), 3000);
    EXPECT_EQ(zoom.ScrollLimitY(), 2300);
    zoom.ScrollTo(-50, 99999);
    EXPECT_EQ(zoom.ScrollX(), 0);
    EXPECT_EQ(zoom.ScrollY(), 2300);
    zoom.ScrollBy(5000, -100);
    EXPECT_EQ(zoom.ScrollX(), 3000);
    EXPECT_EQ(zoom.ScrollY(), 2200);
}

TEST(CropZoomTest, ResizingKeepsTheCentreOrRefitsWhileFitted) {
    CropZoom zoom = Viewed(4000, 3000, 1000, 700);
    zoom.SetViewSize(1400, 900);
    EXPECT_DOUBLE_EQ(zoom.Zoom(), 0.3);
    EXPECT_TRUE(zoom.IsFitted());

    zoom.ShowActualSize();
    zoom.ScrollTo(1000, 800);
    const int centreX = zoom.PictureX(700);
    const int centreY = zoom.PictureY(450);
    zoom.SetViewSize(800, 500);
    EXPECT_DOUBLE_EQ(zoom.Zoom(), 1.0);
    EXPECT_NEAR(zoom.PictureX(400), centreX, 1);
    EXPECT_NEAR(zoom.PictureY(250), centreY, 1);

    // A view grown past what the zoom fills refits rather than leaving the view part empty.
    zoom.ZoomTo(0.25, 0, 0);
    zoom.SetViewSize(2000, 1600);
    EXPECT_DOUBLE_EQ(zoom.Zoom(), 0.5);
    EXPECT_TRUE(zoom.IsFitted());
}

TEST(CropZoomTest, HandleStaysInsideTheFrameAndTheViewAtThePictureEdges) {
    for (const double z : {CropZoom::kMinimumZoom, 0.1, 0.5, 1.0, 8.0}) {
        CropZoom zoom = Viewed(4000, 3000, 1000, 700);
        zoom.ZoomTo(z, 0, 0);
        zoom.ScrollTo(zoom.ScrollLimitX(), zoom.ScrollLimitY());
        picture::CropSelection s(4000, 3000, 240, 240);
        s.Place(4000 - 56, 3000 - 56, 56, 56);
        const ViewRect frame = zoom.ToView(s.Left(), s.Top(), s.Right(), s.Bottom());
        const ViewRect handle = picture::HandleRect(frame);
        EXPECT_GE(frame.Width(), 1) << z;
        EXPECT_GE(handle.left, frame.left) << z;
        EXPECT_GE(handle.top, frame.top) << z;
        EXPECT_EQ(handle.right, frame.right) << z;
        EXPECT_EQ(handle.bottom, frame.bottom) << z;
        EXPECT_LE(handle.right, 1000) << z;
        EXPECT_LE(handle.bottom, 700) << z;
        EXPECT_LE(handle.Width(), picture::kHandleSize) << z;
        // Room is left to grab the selection itself for a move.
        if (frame.Width() >= 4) {
            EXPECT_LE(handle.Width() * 2, frame.Width()) << z;
        }
    }
}

TEST(CropZoomTest, AutoScrollPullsTowardTheNearEdgeOnly) {
    EXPECT_EQ(picture::AutoScrollStep(500, 1000), 0);
    EXPECT_LT(picture::AutoScrollStep(0, 1000), 0);
    EXPECT_GT(picture::AutoScrollStep(999, 1000), 0);
    EXPECT_EQ(picture::AutoScrollStep(picture::kAutoScrollMargin, 1000), 0);
    EXPECT_EQ(picture::AutoScrollStep(999 - picture::kAutoScrollMargin, 1000), 0);
    // Beyond the edge it pulls harder, up to a cap.
    EXPECT_LT(picture::AutoScrollStep(-40, 1000), picture::AutoScrollStep(0, 1000));
    EXPECT_EQ(picture::AutoScrollStep(-100000, 1000), picture::AutoScrollStep(-1000, 1000));
    // A view too small for margins does not scroll by itself.
    EXPECT_EQ(picture::AutoScrollStep(0, 3), 0);
}

TEST(CropSelectionTest, PlaceKeepsTheSizeAndStaysInsideThePicture) {
    picture::CropSelection s(400, 300, 96, 120);
    s.Place(350, 250, 96, 120);
    EXPECT_EQ(s.Left(), 304);
    EXPECT_EQ(s.Top(), 180);
    EXPECT_EQ(s.Width(), 96);
    EXPECT_EQ(s.Height(), 120);
    EXPECT_EQ(s.HandleX(), 401);
    EXPECT_EQ(s.HandleY(), 301);
    s.Place(10, 10, 0, 120);
    EXPECT_EQ(s.Left(), 304);
}

}  // namespace
