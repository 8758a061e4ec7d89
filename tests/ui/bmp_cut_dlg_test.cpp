#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include "tests/ui/crop_test_pictures.h"
#include "tests/ui/dlg_test_helpers.h"
#include "ui/bmp_cut_dlg.h"
#include "ui/crop_view.h"

namespace {

using croptest::ColourAt;
using croptest::CoordinatePicture;
using croptest::PixelOf;

struct Rect {
    int left, top, right, bottom;
    bool operator==(const Rect&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Rect& r) {
    return out << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

// A shown crop dialog on a coordinate picture, driven with the mouse on its view.
class BmpCutDlgTest : public ::testing::Test {
protected:
    // The view at 100 % from the picture's top-left corner, the selection (0, 0, tw, th) and
    // nearest-pixel scaling: the dialog as it first was, so that view points are picture
    // points.
    void Open(int width, int height, int targetWidth, int targetHeight) {
        m_source = CoordinatePicture(width, height);
        m_dialog = std::make_unique<ui::CBMPCutDlg>(m_source, targetWidth, targetHeight, m_target);
        m_dialog->SetFrame({0, 0, targetWidth, targetHeight});
        m_dialog->NearestBox()->setChecked(true);
        m_dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_dialog.get()));
        View()->ShowActualSize();
        View()->SetScroll(0, 0);
    }
    ui::CropView* View() { return m_dialog->View(); }
    // Presses the middle of the handle, remembering where that lies from the corner just
    // beyond the selection, which the handle drags.
    void PressHandle() {
        const picture::ViewRect handle = View()->HandleRect();
        const QPoint at((handle.left + handle.right) / 2, (handle.top + handle.bottom) / 2);
        const picture::CropSelection& s = m_dialog->Selection();
        m_grab = at + View()->Scroll() - QPoint(s.Right() + 1, s.Bottom() + 1);
        Press(at);
    }
    // Moves the pressed handle so that the corner it drags lies at picture point `corner`.
    void MoveHandleTo(QPoint corner) { MoveTo(corner + m_grab - View()->Scroll()); }
    Rect Selection() const {
        const picture::CropSelection& s = m_dialog->Selection();
        return {s.Left(), s.Top(), s.Right(), s.Bottom()};
    }
    QPoint Handle() const {
        return {m_dialog->Selection().HandleX(), m_dialog->Selection().HandleY()};
    }
    void Press(QPoint at) { QTest::mousePress(View(), Qt::LeftButton, {}, at); }
    void MoveTo(QPoint at) { QTest::mouseMove(View(), at); }
    void Release(QPoint at) { QTest::mouseRelease(View(), Qt::LeftButton, {}, at); }
    void Decide() {
        ASSERT_NE(uitest::ButtonWithText(m_dialog.get(), "決定"), nullptr);
        uitest::ButtonWithText(m_dialog.get(), "決定")->click();
    }

    picture::CDIB m_source;
    picture::CDIB m_target;
    std::unique_ptr<ui::CBMPCutDlg> m_dialog;
    QPoint m_grab;
};

TEST_F(BmpCutDlgTest, DraggingInsideTheSelectionMovesItAndKeepsItInsideThePicture) {
    Open(400, 300, 96, 120);
    EXPECT_EQ(Selection(), (Rect{0, 0, 96, 120}));
    Press({10, 10});
    EXPECT_TRUE(View()->IsTracking());
    MoveTo({60, 40});
    EXPECT_EQ(Selection(), (Rect{50, 30, 146, 150}));
    EXPECT_EQ(Handle(), QPoint(147, 151));
    MoveTo({395, 290});
    EXPECT_EQ(Selection(), (Rect{304, 180, 400, 300}));
    MoveTo({2, 3});
    EXPECT_EQ(Selection(), (Rect{0, 0, 96, 120}));
    Release({2, 3});
    EXPECT_FALSE(View()->IsTracking());
    // Without a press, moving the mouse does nothing.
    MoveTo({100, 100});
    EXPECT_EQ(Selection(), (Rect{0, 0, 96, 120}));
}

TEST_F(BmpCutDlgTest, MovingFreezesWhileTheCursorIsOutsideTheView) {
    Open(400, 300, 96, 120);
    Press({10, 10});
    MoveTo({-5, 50});
    EXPECT_EQ(Selection(), (Rect{0, 0, 96, 120}));
    MoveTo({30, 500});
    EXPECT_EQ(Selection(), (Rect{0, 0, 96, 120}));
    MoveTo({20, 25});
    EXPECT_EQ(Selection(), (Rect{10, 15, 106, 135}));
    Release({20, 25});
}

TEST_F(BmpCutDlgTest, PressingOutsideSelectionAndHandleStartsNothing) {
    Open(400, 300, 96, 120);
    Press({200, 200});
    EXPECT_FALSE(View()->IsTracking());
    MoveTo({250, 250});
    EXPECT_EQ(Selection(), (Rect{0, 0, 96, 120}));
    Release({250, 250});
}

TEST_F(BmpCutDlgTest, ResizingKeepsTheAspectWithTheLargerExtentWinning) {
    Open(400, 300, 96, 120);
    EXPECT_EQ(Handle(), QPoint(97, 121));
    PressHandle();
    EXPECT_TRUE(View()->IsResizing());
    MoveHandleTo({200, 121});
    // 199 wide wins: the height follows, 199 * 120 / 96 truncated.
    EXPECT_EQ(Selection(), (Rect{0, 0, 199, 248}));
    // The handle stays where it was put, not beside the corrected rectangle.
    EXPECT_EQ(Handle(), QPoint(200, 121));
    MoveHandleTo({60, 200});
    // 199 high wins: the width follows, 199 * 96 / 120 truncated.
    EXPECT_EQ(Selection(), (Rect{0, 0, 159, 199}));
    Release({60, 200});
    EXPECT_FALSE(View()->IsResizing());
}

TEST_F(BmpCutDlgTest, ResizingStopsAtTheMinimumThenTheAspectApplies) {
    Open(400, 300, 96, 120);
    PressHandle();
    // (QTest takes a null point for the widget's centre.)
    MoveTo({1, 1});
    EXPECT_EQ(Selection(), (Rect{0, 0, 56, 70}));
    EXPECT_EQ(Handle(), QPoint(57, 57));
    Release({1, 1});
}

TEST_F(BmpCutDlgTest, ResizingPastThePictureEdgeKeepsTheAspect) {
    Open(400, 600, 240, 240);
    PressHandle();
    // Resizing follows the cursor out of the view: pulled far down, the height wins, the
    // width then runs out at the picture's right edge and the height follows it.
    MoveTo({244, 900});
    EXPECT_EQ(Selection(), (Rect{0, 0, 400, 400}));
    Release({244, 900});
}

TEST_F(BmpCutDlgTest, ResizingPastTheBottomEdgeLetsTheWidthFollow) {
    Open(600, 300, 240, 240);
    PressHandle();
    MoveTo({900, 244});
    EXPECT_EQ(Selection(), (Rect{0, 0, 300, 300}));
    Release({900, 244});
}

TEST_F(BmpCutDlgTest, OnAPictureBelowTheMinimumTheHandleStopsAtThePictureEdge) {
    Open(40, 30, 60, 60);
    PressHandle();  // the selection reaches beyond the picture, its handle too
    ASSERT_TRUE(View()->IsResizing());
    MoveTo({10, 10});
    // The bounds swap: the handle stops at (W + 1, H + 1), and the square selection is cut to
    // the picture's height.
    EXPECT_EQ(Handle(), QPoint(41, 31));
    EXPECT_EQ(Selection(), (Rect{0, 0, 30, 30}));
    Release({10, 10});
}

TEST_F(BmpCutDlgTest, DoubleClickPlacesTheSelectionAgainstTheFarEdges) {
    Open(400, 300, 96, 120);
    QTest::mouseDClick(View(), Qt::LeftButton, {}, QPoint(390, 290));
    EXPECT_EQ(Selection(), (Rect{304, 180, 400, 300}));
    QTest::mouseDClick(View(), Qt::LeftButton, {}, QPoint(100, 50));
    EXPECT_EQ(Selection(), (Rect{100, 50, 196, 170}));
}

TEST_F(BmpCutDlgTest, APictureOfTheTargetSizeCannotMoveAndComesOutUnchanged) {
    Open(240, 240, 240, 240);
    EXPECT_FALSE(m_dialog->HorizontalBar()->isEnabled());
    EXPECT_FALSE(m_dialog->VerticalBar()->isEnabled());
    Press({100, 100});
    MoveTo({150, 130});
    Release({150, 130});
    EXPECT_EQ(Selection(), (Rect{0, 0, 240, 240}));
    Decide();
    EXPECT_EQ(m_dialog->result(), QDialog::Accepted);
    ASSERT_EQ(m_target.BitCount(), 24);
    EXPECT_FALSE(m_target.IsTopDown());
    for (int y = 0; y < 240; y += 7) {
        for (int x = 0; x < 240; x += 5)
            ASSERT_EQ(PixelOf(m_target, x, y), ColourAt(x, y)) << x << ", " << y;
    }
}

TEST_F(BmpCutDlgTest, DecideScalesTheSelectionWithNearestPixels) {
    Open(400, 300, 96, 120);
    PressHandle();
    MoveHandleTo({193, 121});  // 192 x 240: twice the target
    Release({196, 124});
    ASSERT_EQ(Selection(), (Rect{0, 0, 192, 240}));
    Press({10, 10});
    MoveTo({21, 13});
    Release({21, 13});
    ASSERT_EQ(Selection(), (Rect{11, 3, 203, 243}));
    Decide();
    ASSERT_EQ(m_target.Width(), 96);
    ASSERT_EQ(m_target.Height(), 120);
    ASSERT_EQ(m_target.BitCount(), 24);
    EXPECT_FALSE(m_target.IsTopDown());
    EXPECT_EQ(m_target.ByteSize(), 96u * 120 * 3);
    for (int y = 0; y < 120; ++y) {
        for (int x = 0; x < 96; ++x)
            ASSERT_EQ(PixelOf(m_target, x, y), ColourAt(11 + 2 * x, 3 + 2 * y)) << x << ", " << y;
    }
}

TEST_F(BmpCutDlgTest, EnlargingRepeatsPixelsAndOutsideThePictureIsBlack) {
    Open(40, 30, 60, 60);
    EXPECT_EQ(Selection(), (Rect{0, 0, 60, 60}));
    // Too small to move: the selection stays at the corner.
    Press({5, 5});
    MoveTo({20, 20});
    Release({20, 20});
    EXPECT_EQ(Selection(), (Rect{0, 0, 60, 60}));
    Decide();
    ASSERT_EQ(m_target.Width(), 60);
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < 60; ++x) {
            const std::uint32_t expected = x < 40 && y < 30 ? ColourAt(x, y) : 0;
            ASSERT_EQ(PixelOf(m_target, x, y), expected) << x << ", " << y;
        }
    }
}

TEST_F(BmpCutDlgTest, CancelLeavesTheTargetUntouched) {
    m_target = *picture::CDIB::CreateWithPixels(60, -60, {}, 8);
    Open(200, 200, 60, 60);
    uitest::ButtonWithText(m_dialog.get(), "中止")->click();
    EXPECT_EQ(m_dialog->result(), QDialog::Rejected);
    EXPECT_EQ(m_target.BitCount(), 8);
}

TEST_F(BmpCutDlgTest, ScrolledViewShowsAndPicksThePictureFromTheScrollPosition) {
    Open(1200, 900, 96, 120);
    QScrollBar* h = m_dialog->HorizontalBar();
    QScrollBar* v = m_dialog->VerticalBar();
    ASSERT_TRUE(h->isEnabled());
    EXPECT_EQ(h->maximum(), 1200 - View()->width());
    EXPECT_EQ(h->pageStep(), View()->width() / 4);
    h->setValue(50);
    v->setValue(30);
    const QImage shown = View()->Render();
    EXPECT_EQ(shown.pixel(200, 200) & 0xFFFFFF, ColourAt(250, 230));
    Press({10, 10});  // picture point (60, 40): inside the selection
    MoveTo({20, 20});
    Release({20, 20});
    EXPECT_EQ(Selection(), (Rect{10, 10, 106, 130}));
    QTest::mouseDClick(View(), Qt::LeftButton, {}, QPoint(1, 1));
    EXPECT_EQ(Selection(), (Rect{51, 31, 147, 151}));
}

TEST_F(BmpCutDlgTest, FrameIsBlackUnderWhiteDashesAndTheHandleSitsInsideItsCorner) {
    Open(200, 150, 60, 60);
    const QImage shown = View()->Render();
    const auto dash = [](int along) { return (along / 4) % 2 == 0 ? 0xFFFFFFu : 0u; };
    for (int i = 0; i < 50; ++i) {
        ASSERT_EQ(shown.pixel(i, 0) & 0xFFFFFF, dash(i)) << i;
        ASSERT_EQ(shown.pixel(i, 59) & 0xFFFFFF, dash(i)) << i;
        ASSERT_EQ(shown.pixel(0, i) & 0xFFFFFF, dash(i)) << i;
        ASSERT_EQ(shown.pixel(59, i) & 0xFFFFFF, dash(i)) << i;
    }
    // Inside and outside the frame the picture is untouched.
    EXPECT_EQ(shown.pixel(30, 30) & 0xFFFFFF, ColourAt(30, 30));
    EXPECT_EQ(shown.pixel(1, 1) & 0xFFFFFF, ColourAt(1, 1));
    EXPECT_EQ(shown.pixel(60, 30) & 0xFFFFFF, ColourAt(60, 30));
    EXPECT_EQ(shown.pixel(61, 61) & 0xFFFFFF, ColourAt(61, 61));
    // The handle: 10 x 10 inside the corner, white around black.
    EXPECT_EQ(shown.pixel(50, 50) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(shown.pixel(59, 55) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(shown.pixel(55, 55) & 0xFFFFFF, 0u);
    EXPECT_EQ(shown.pixel(49, 49) & 0xFFFFFF, ColourAt(49, 49));
    // Beyond the picture the view is black.
    EXPECT_EQ(shown.pixel(210, 10) & 0xFFFFFF, 0u);
    EXPECT_EQ(shown.pixel(10, 160) & 0xFFFFFF, 0u);
    uitest::SaveScreenshot(*m_dialog, "bmp_cut_dlg");
}

TEST_F(BmpCutDlgTest, LayoutFollowsTheWindowSizeDownToItsMinimum) {
    Open(1200, 900, 96, 120);
    m_dialog->resize(100, 100);
    EXPECT_EQ(m_dialog->size(), QSize(360, 300));
    m_dialog->resize(500, 400);
    QTest::qWait(0);
    EXPECT_EQ(View()->geometry(), QRect(0, 0, 380, 376));
    EXPECT_EQ(uitest::ButtonWithText(m_dialog.get(), "決定")->geometry(), QRect(412, 16, 80, 24));
    EXPECT_EQ(uitest::ButtonWithText(m_dialog.get(), "中止")->geometry(), QRect(412, 56, 80, 24));
    EXPECT_EQ(m_dialog->VerticalBar()->geometry(), QRect(380, 0, 16, 376));
    EXPECT_EQ(m_dialog->HorizontalBar()->geometry(), QRect(0, 376, 380, 16));
    EXPECT_EQ(m_dialog->VerticalBar()->maximum(), 900 - 376);
}

}  // namespace
