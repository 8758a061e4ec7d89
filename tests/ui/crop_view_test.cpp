#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <cstring>

#include "picture/face_frame.h"
#include "picture/face_scale.h"
#include "support/photo_picture.h"
#include "tests/ui/crop_test_pictures.h"
#include "tests/ui/dlg_test_helpers.h"
#include "ui/bmp_cut_dlg.h"
#include "ui/crop_preferences.h"
#include "ui/crop_view.h"

namespace {

using croptest::CoordinatePicture;
using croptest::PixelOf;
using picture::FaceFrame;

QPoint Centre(const picture::ViewRect& r) {
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// A 24-bit bottom-up picture with the look of a photograph.
picture::CDIB PhotoPicture(int width, int height, std::uint32_t seed) {
    const testsupport::RawPicture raw = testsupport::MakePhotoLikePicture(width, height, seed);
    picture::CDIB photo = *picture::CDIB::CreateWithPixels(width, -height, {}, 24);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* in = raw.At(x, y);
            std::uint8_t* out = photo.PixelAddress(x, y);
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
        }
    }
    return photo;
}

void SendWheel(QWidget* widget, QPoint at, int delta, Qt::KeyboardModifiers modifiers = {}) {
    QWheelEvent event(at, widget->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
}

// The crop dialog as the load dialog opens it: fitted, the selection centred.
class CropViewTest : public ::testing::Test {
protected:
    void SetUp() override { ui::WriteNearestScaling(false); }
    void TearDown() override {
        m_dialog.reset();
        ui::WriteNearestScaling(false);
    }
    void Open(picture::CDIB source, int targetWidth = 240, int targetHeight = 240) {
        m_source = std::move(source);
        m_dialog = std::make_unique<ui::CBMPCutDlg>(m_source, targetWidth, targetHeight, m_target);
        m_dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_dialog.get()));
    }
    ui::CropView* View() const { return m_dialog->View(); }
    const picture::CropZoom& Zoom() const { return View()->Zoom(); }
    FaceFrame Frame() const { return m_dialog->Frame(); }
    QPoint CentreOfView() const { return {View()->width() / 2, View()->height() / 2}; }
    QPoint PictureAt(QPoint viewPoint) const {
        return {Zoom().PictureX(viewPoint.x()), Zoom().PictureY(viewPoint.y())};
    }
    void Drag(QPoint from, QPoint to, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mousePress(View(), button, {}, from);
        QTest::mouseMove(View(), to);
        QTest::mouseRelease(View(), button, {}, to);
    }

    picture::CDIB m_source;
    picture::CDIB m_target;
    std::unique_ptr<ui::CBMPCutDlg> m_dialog;
};

TEST_F(CropViewTest, APhotoOpensFittedAndWhollyVisibleInADialogWithinTheScreen) {
    Open(CoordinatePicture(4000, 3000));
    const QRect available = m_dialog->screen()->availableGeometry();
    EXPECT_TRUE(available.contains(m_dialog->frameGeometry())) << available.width();
    for (const char* text : {"決定", "中止"}) {
        QWidget* button = uitest::ButtonWithText(m_dialog.get(), text);
        ASSERT_NE(button, nullptr);
        EXPECT_TRUE(m_dialog->rect().contains(button->geometry())) << text;
    }
    EXPECT_TRUE(Zoom().IsFitted());
    EXPECT_LT(Zoom().Zoom(), 1.0);
    EXPECT_LE(Zoom().ContentWidth(), View()->width());
    EXPECT_LE(Zoom().ContentHeight(), View()->height());
    EXPECT_FALSE(m_dialog->HorizontalBar()->isEnabled());
    EXPECT_FALSE(m_dialog->VerticalBar()->isEnabled());
    // The largest square, centred.
    EXPECT_EQ(Frame().left, 500);
    EXPECT_EQ(Frame().width, 3000);
    EXPECT_EQ(m_dialog->SizeLabel()->text(), QStringLiteral("3000 x 3000 → 240 x 240"));
    EXPECT_EQ(m_dialog->ZoomLabel()->text(), QStringLiteral("縮放：%1%").arg(Zoom().ZoomPercent()));
    EXPECT_FALSE(m_dialog->NextFaceButton()->isVisible());
}

// After the selection is dragged against each side (and the far corner), its handle lies in
// the view and on the picture, and pulling it resizes.
TEST_F(CropViewTest, TheHandleCanBeGrabbedAtEveryEdgeAtFitAndAtFullSize) {
    Open(CoordinatePicture(1600, 1200));
    struct Side {
        const char* name;
        int x, y;  // -1 toward the start, 1 toward the end, 0 stay
    };
    const Side sides[] = {
        {"left", -1, 0}, {"right", 1, 0}, {"top", 0, -1}, {"bottom", 0, 1}, {"corner", 1, 1}};
    for (const bool fullSize : {false, true}) {
        for (const Side& side : sides) {
            SCOPED_TRACE(std::string(side.name) + (fullSize ? " at 100 %" : " at fit"));
            m_dialog->SetFrame({650, 450, 300, 300});
            if (fullSize) {
                View()->ShowActualSize();
                // Scrolled as a player would, to the side the selection goes to.
                const auto scrollFor = [](int direction, int limit, int middle) {
                    return direction < 0 ? 0 : direction > 0 ? limit : middle;
                };
                View()->SetScroll(scrollFor(side.x, Zoom().ScrollLimitX(), 500),
                                  scrollFor(side.y, Zoom().ScrollLimitY(), 350));
                m_dialog->SetFrame({side.x < 0   ? 50
                                    : side.x > 0 ? 1250
                                                 : 650,
                                    side.y < 0   ? 50
                                    : side.y > 0 ? 850
                                                 : 450,
                                    300, 300});
            } else {
                View()->Fit();
            }
            const QPoint from = Centre(View()->FrameRect());
            // Toward the side, stopping short of where the view starts to scroll by itself.
            const int inset = picture::kAutoScrollMargin + 2;
            const auto target = [inset](int direction, int start, int extent) {
                return direction < 0 ? inset : direction > 0 ? extent - inset : start;
            };
            const QPoint to(target(side.x, from.x(), View()->width()),
                            target(side.y, from.y(), View()->height()));
            Drag(from, to);
            const FaceFrame frame = Frame();
            const int reached[] = {frame.left, frame.left + frame.width, frame.top,
                                   frame.top + frame.height};
            if (side.x != 0) {
                EXPECT_EQ(reached[side.x < 0 ? 0 : 1], side.x < 0 ? 0 : 1600);
            }
            if (side.y != 0) {
                EXPECT_EQ(reached[side.y < 0 ? 2 : 3], side.y < 0 ? 0 : 1200);
            }

            const picture::ViewRect handle = View()->HandleRect();
            EXPECT_GE(handle.Width(), 4);
            EXPECT_TRUE(View()->rect().contains(
                QRect(handle.left, handle.top, handle.Width(), handle.Height())));
            EXPECT_LE(handle.right, Zoom().ContentWidth() - Zoom().ScrollX());
            EXPECT_LE(handle.bottom, Zoom().ContentHeight() - Zoom().ScrollY());
            const QPoint grab = Centre(handle);
            QTest::mousePress(View(), Qt::LeftButton, {}, grab);
            EXPECT_TRUE(View()->IsResizing());
            QTest::mouseMove(View(), grab - QPoint(20, 20));
            QTest::mouseRelease(View(), Qt::LeftButton, {}, grab - QPoint(20, 20));
            EXPECT_LT(Frame().width, frame.width);
            EXPECT_EQ(Frame().left, frame.left);
        }
    }
}

TEST_F(CropViewTest, ResizingTheDialogKeepsTheCentreAndRefitsUntilThePlayerZooms) {
    Open(CoordinatePicture(4000, 3000));
    m_dialog->resize(m_dialog->width() - 100, m_dialog->height() - 80);
    QTest::qWait(0);
    EXPECT_TRUE(Zoom().IsFitted());
    EXPECT_DOUBLE_EQ(Zoom().Zoom(), Zoom().FitZoom());

    View()->ShowActualSize();
    View()->SetScroll(1500, 1100);
    const QPoint centre = PictureAt(CentreOfView());
    m_dialog->resize(m_dialog->width() + 100, m_dialog->height() + 80);
    QTest::qWait(0);
    EXPECT_DOUBLE_EQ(Zoom().Zoom(), 1.0);
    const QPoint after = PictureAt(CentreOfView());
    EXPECT_NEAR(after.x(), centre.x(), 1);
    EXPECT_NEAR(after.y(), centre.y(), 1);
    // The bars follow the view.
    EXPECT_EQ(m_dialog->HorizontalBar()->value(), Zoom().ScrollX());
    EXPECT_EQ(m_dialog->HorizontalBar()->singleStep(), View()->width() / 10);
}

TEST_F(CropViewTest, WheelAndKeysZoomAndTheZoomIsShown) {
    Open(CoordinatePicture(4000, 3000));
    const QPoint at(150, 120);
    const QPoint under = PictureAt(at);
    SendWheel(View(), at, 120);
    EXPECT_FALSE(Zoom().IsFitted());
    // Across, the zoomed picture outgrows the view and the point stays under the cursor; down
    // it still fits, and stays at the top.
    ASSERT_GT(Zoom().ScrollLimitX(), 0);
    EXPECT_NEAR(PictureAt(at).x(), under.x(), 1 / Zoom().Zoom() + 1);
    EXPECT_EQ(Zoom().ScrollY(), 0);
    EXPECT_EQ(m_dialog->ZoomLabel()->text(), QStringLiteral("縮放：%1%").arg(Zoom().ZoomPercent()));

    QTest::keyClick(View(), Qt::Key_1, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(Zoom().Zoom(), 1.0);
    EXPECT_EQ(m_dialog->ZoomLabel()->text(), QStringLiteral("縮放：100%"));
    QTest::keyClick(View(), Qt::Key_Plus);
    EXPECT_DOUBLE_EQ(Zoom().Zoom(), 1.5);
    QTest::keyClick(View(), Qt::Key_Minus);
    QTest::keyClick(View(), Qt::Key_Minus);
    EXPECT_LT(Zoom().Zoom(), 1.0);
    QTest::keyClick(View(), Qt::Key_0, Qt::ControlModifier);
    EXPECT_TRUE(Zoom().IsFitted());

    // Shift with the wheel scrolls across by a tenth of the view.
    QTest::keyClick(View(), Qt::Key_1, Qt::ControlModifier);
    View()->SetScroll(1000, 1000);
    SendWheel(View(), at, -120, Qt::ShiftModifier);
    EXPECT_EQ(Zoom().ScrollX(), 1000 + View()->width() / 10);
    EXPECT_EQ(Zoom().ScrollY(), 1000);
}

TEST_F(CropViewTest, ArrowKeysMoveTheSelectionByPicturePixelsAtAnyZoom) {
    Open(CoordinatePicture(4000, 3000));
    m_dialog->SetFrame({1000, 1000, 600, 600});
    QTest::keyClick(View(), Qt::Key_Right);
    EXPECT_EQ(Frame().left, 1001);
    QTest::keyClick(View(), Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(Frame().top, 1010);
    QTest::keyClick(View(), Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClick(View(), Qt::Key_Up);
    EXPECT_EQ(Frame().left, 991);
    EXPECT_EQ(Frame().top, 1009);
    EXPECT_EQ(Frame().width, 600);
}

// At a zoom the resize follows the cursor in picture pixels: the rules are those of 100 %.
TEST_F(CropViewTest, ResizingAtTwiceTheSizeKeepsThePictureRules) {
    Open(CoordinatePicture(800, 600), 96, 120);
    m_dialog->SetFrame({100, 100, 96, 120});
    View()->ShowActualSize();
    SendWheel(View(), {0, 0}, 120);
    SendWheel(View(), {0, 0}, 120);
    ASSERT_DOUBLE_EQ(Zoom().Zoom(), 2.0);
    View()->SetScroll(150, 150);
    const QPoint grab = Centre(View()->HandleRect());
    QTest::mousePress(View(), Qt::LeftButton, {}, grab);
    QTest::mouseMove(View(), grab + QPoint(40, 0));  // 20 picture pixels wider
    EXPECT_EQ(Frame().width, 116);
    EXPECT_EQ(Frame().height, 116 * 120 / 96);
    QTest::mouseMove(View(), grab - QPoint(400, 400));
    QTest::mouseRelease(View(), Qt::LeftButton, {}, grab - QPoint(400, 400));
    EXPECT_EQ(Frame().width, 56);
    EXPECT_EQ(Frame().height, 70);
}

TEST_F(CropViewTest, TheMiddleButtonOrSpaceWithTheLeftPans) {
    Open(CoordinatePicture(4000, 3000));
    View()->ShowActualSize();
    View()->SetScroll(1000, 1000);
    const FaceFrame before = Frame();
    Drag({300, 300}, {250, 260}, Qt::MiddleButton);
    EXPECT_EQ(View()->Scroll(), QPoint(1050, 1040));
    QTest::keyPress(View(), Qt::Key_Space);
    Drag({300, 300}, {320, 330});
    QTest::keyRelease(View(), Qt::Key_Space);
    EXPECT_EQ(View()->Scroll(), QPoint(1030, 1010));
    EXPECT_EQ(m_dialog->HorizontalBar()->value(), 1030);
    EXPECT_EQ(Frame().left, before.left);
    EXPECT_EQ(Frame().top, before.top);
}

TEST_F(CropViewTest, DraggingNearAViewEdgeScrollsTheViewAndTheSelectionWithIt) {
    Open(CoordinatePicture(4000, 3000));
    View()->ShowActualSize();
    m_dialog->SetFrame({1000, 1000, 200, 200});
    View()->SetScroll(900, 900);
    const QPoint from = Centre(View()->FrameRect());
    QTest::mousePress(View(), Qt::LeftButton, {}, from);
    const QPoint nearEdge(View()->width() - 3, from.y());
    QTest::mouseMove(View(), nearEdge);
    const int leftAtCursor = Frame().left;
    EXPECT_TRUE(QTest::qWaitFor([&] { return Frame().left > leftAtCursor + 30; }, 5000));
    QTest::mouseRelease(View(), Qt::LeftButton, {}, nearEdge);
    const QPoint scroll = View()->Scroll();
    EXPECT_GT(scroll.x(), 900);
    EXPECT_EQ(scroll.y(), 900);
    // The selection stays under the cursor while the view moves.
    EXPECT_EQ(Frame().left - leftAtCursor, scroll.x() - 900);
    QTest::qWait(100);
    EXPECT_EQ(View()->Scroll(), scroll);
}

TEST_F(CropViewTest, DecideAveragesByDefaultAndTheNearestChoiceIsRemembered) {
    Open(PhotoPicture(700, 500, 1), 96, 120);
    EXPECT_FALSE(m_dialog->NearestBox()->isChecked());
    const FaceFrame frame = Frame();
    uitest::ButtonWithText(m_dialog.get(), "決定")->click();
    ASSERT_EQ(m_dialog->result(), QDialog::Accepted);
    const std::optional<picture::CDIB> averaged =
        picture::ScaleCropToFace(m_source, frame.left, frame.top, frame.width, frame.height, 96,
                                 120, picture::FaceScaling::AreaAverage);
    ASSERT_TRUE(averaged);
    ASSERT_EQ(m_target.ByteSize(), averaged->ByteSize());
    EXPECT_EQ(
        std::memcmp(m_target.Pixels().data(), averaged->Pixels().data(), averaged->ByteSize()), 0);

    m_dialog = std::make_unique<ui::CBMPCutDlg>(m_source, 96, 120, m_target);
    m_dialog->NearestBox()->setChecked(true);
    EXPECT_TRUE(ui::ReadNearestScaling());
    m_dialog = std::make_unique<ui::CBMPCutDlg>(m_source, 96, 120, m_target);
    EXPECT_TRUE(m_dialog->NearestBox()->isChecked());
}

TEST_F(CropViewTest, TurningShowsTheTurnedPictureAndHandsItOn) {
    Open(CoordinatePicture(400, 300), 96, 120);
    m_dialog->SetProposedFrames({{0, 0, 96, 120}, {100, 100, 96, 120}});
    m_dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_dialog.get()));
    QTest::keyClick(m_dialog.get(), Qt::Key_R, Qt::ControlModifier);
    ASSERT_EQ(m_dialog->QuarterTurns(), 1);
    EXPECT_EQ(m_dialog->Picture().Width(), 300);
    EXPECT_EQ(m_dialog->Picture().Height(), 400);
    // A quarter turn clockwise brings the bottom-left corner to the top-left.
    EXPECT_EQ(PixelOf(m_dialog->Picture(), 0, 0), croptest::ColourAt(0, 299));
    // The proposals were for the picture as it was.
    EXPECT_FALSE(m_dialog->NextFaceButton()->isVisible());
    const FaceFrame centred = picture::CentredFaceFrame(300, 400, 96, 120);
    EXPECT_EQ(Frame().left, centred.left);
    EXPECT_EQ(Frame().height, centred.height);
    EXPECT_TRUE(Zoom().IsFitted());

    m_dialog->NearestBox()->setChecked(true);
    m_dialog->SetFrame({0, 0, 96, 120});
    uitest::ButtonWithText(m_dialog.get(), "決定")->click();
    EXPECT_EQ(PixelOf(m_target, 0, 0), croptest::ColourAt(0, 299));
    std::optional<picture::CDIB> turned = m_dialog->TakeTurnedPicture();
    ASSERT_TRUE(turned);
    EXPECT_EQ(turned->Width(), 300);

    Open(CoordinatePicture(400, 300), 96, 120);
    uitest::ButtonWithText(m_dialog.get(), "向右旋轉")->click();
    uitest::ButtonWithText(m_dialog.get(), "向左旋轉")->click();
    EXPECT_EQ(m_dialog->QuarterTurns(), 0);
    EXPECT_EQ(m_dialog->Picture().Width(), 400);
    EXPECT_FALSE(m_dialog->TakeTurnedPicture());
}

TEST_F(CropViewTest, NextFaceStepsThroughTwoOrMoreProposals) {
    Open(CoordinatePicture(1000, 800));
    m_dialog->SetProposedFrames({{100, 100, 200, 200}});
    EXPECT_FALSE(m_dialog->NextFaceButton()->isVisible());
    EXPECT_EQ(Frame().left, 100);
    m_dialog->SetProposedFrames({{10, 20, 100, 100}, {500, 400, 300, 300}, {700, 100, 56, 56}});
    ASSERT_TRUE(m_dialog->NextFaceButton()->isVisible());
    EXPECT_EQ(Frame().left, 10);
    const int lefts[] = {500, 700, 10};
    for (const int left : lefts) {
        m_dialog->NextFaceButton()->click();
        EXPECT_EQ(Frame().left, left);
    }
    EXPECT_EQ(m_dialog->SizeLabel()->text(), QStringLiteral("100 x 100 → 240 x 240"));
}

// Below 100 % every view pixel is the mean of the picture pixels it stands for, so fine
// detail shows as its average rather than as whichever pixel a sample hits.
TEST_F(CropViewTest, AZoomedOutViewAveragesThePixelsItStandsFor) {
    picture::CDIB checker = *picture::CDIB::CreateWithPixels(2400, -1800, {}, 24);
    for (int y = 0; y < 1800; ++y) {
        for (int x = 0; x < 2400; ++x)
            std::memset(checker.PixelAddress(x, y), (x + y) % 2 ? 255 : 0, 3);
    }
    Open(std::move(checker));
    View()->SetScroll(0, 0);
    m_dialog->SetFrame({2000, 1500, 240, 240});
    const QImage shown = View()->Render();
    const QRgb grey = shown.pixel(10, 10);
    EXPECT_NEAR(qRed(grey), 128, 1);
    EXPECT_EQ(qRed(grey), qGreen(grey));
    EXPECT_EQ(shown.pixel(20, 30), grey);
}

TEST_F(CropViewTest, ScreenshotOfAPhoto) {
    Open(PhotoPicture(1600, 1200, 7));
    m_dialog->SetFrame({520, 260, 560, 560});
    uitest::SaveScreenshot(*m_dialog, "bmp_cut_dlg_photo");
}

}  // namespace
