#include "ui/game_dlg.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

#include "ui/message_dlg.h"

namespace ui {
namespace {

// A dialog with two controls in its table and one id the dialog does not have.
class TableDlg : public CGameDlg {
public:
    explicit TableDlg(bool validates = true) : m_validates(validates) {
        AddControl(1, m_first = new QPushButton(QStringLiteral("一"), this));
        AddControl(2, m_second = new QLabel(QStringLiteral("二"), this));
    }
    QWidget* m_first;
    QWidget* m_second;
    bool m_adjust = false;

protected:
    const LayoutRecord* LayoutTable() const override {
        static constexpr LayoutRecord kTable[] = {{1, 10, 20, 100, 30},
                                                  {3, 0, 0, 50, 50},
                                                  {2, 300, 400, 80, 24},
                                                  {kEndOfTable, 0, 0, 0, 0}};
        return kTable;
    }
    QRect AdjustRect(int id, const QRect& rect) const override {
        return m_adjust && id == 2 ? rect.translated(5, 6) : rect;
    }
    bool TakeControlData() override { return m_validates; }

private:
    bool m_validates;
};

void SendMouse(QWidget& target, QEvent::Type type, QPoint global, Qt::MouseButton button,
               Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QMouseEvent event(type, target.mapFromGlobal(global), global, button, buttons, modifiers);
    QApplication::sendEvent(&target, &event);
}

TEST(GameDlgLayout, ControlsTakeTheirTableRectanglesAndTheWindowItsOuterSize) {
    TableDlg dialog;
    dialog.show();
    EXPECT_EQ(dialog.m_first->geometry(), QRect(10, 20, 100, 30));
    EXPECT_EQ(dialog.m_second->geometry(), QRect(300, 400, 80, 24));
    EXPECT_EQ(dialog.size(), QSize(800, 600));
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
}

TEST(GameDlgLayout, TheDerivedDialogMayAdjustARectangle) {
    TableDlg dialog;
    dialog.m_adjust = true;
    dialog.show();
    EXPECT_EQ(dialog.m_first->geometry(), QRect(10, 20, 100, 30));
    EXPECT_EQ(dialog.m_second->geometry(), QRect(305, 406, 80, 24));
}

TEST(GameDlgLayout, RestoringTheWindowLaysItOutAgain) {
    TableDlg dialog;
    dialog.show();
    dialog.m_first->setGeometry(0, 0, 5, 5);
    dialog.showMinimized();
    ASSERT_TRUE(dialog.isMinimized());
    dialog.showNormal();
    EXPECT_EQ(dialog.m_first->geometry(), QRect(10, 20, 100, 30));
}

TEST(GameDlgOk, AModalDialogStaysOpenWhenItsDataDoNotValidate) {
    TableDlg refusing(false);
    refusing.setModal(true);
    refusing.show();
    refusing.accept();
    EXPECT_TRUE(refusing.isVisible());
    refusing.setModal(false);
    refusing.accept();
    EXPECT_FALSE(refusing.isVisible());
}

class GameDlgDrag : public ::testing::Test {
protected:
    void SetUp() override {
        dialog.show();
        dialog.move(100, 100);
        start = dialog.pos();
        grip = dialog.mapToGlobal(QPoint(700, 300));
    }
    TableDlg dialog;
    QPoint start;
    QPoint grip;
};

TEST_F(GameDlgDrag, TheLeftButtonOnTheBackgroundMovesTheDialog) {
    SendMouse(dialog, QEvent::MouseButtonPress, grip, Qt::LeftButton, Qt::LeftButton);
    EXPECT_TRUE(dialog.IsDragging());
    SendMouse(dialog, QEvent::MouseMove, grip + QPoint(30, 15), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(dialog.pos(), start + QPoint(30, 15));
    SendMouse(dialog, QEvent::MouseMove, grip + QPoint(-20, 40), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(dialog.pos(), start + QPoint(-20, 40));
    SendMouse(dialog, QEvent::MouseButtonRelease, grip + QPoint(-20, 40), Qt::LeftButton,
              Qt::NoButton);
    EXPECT_FALSE(dialog.IsDragging());
    SendMouse(dialog, QEvent::MouseMove, grip + QPoint(90, 90), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(dialog.pos(), start + QPoint(-20, 40));
}

TEST_F(GameDlgDrag, OtherButtonsOrKeysHeldKeepTheDialogInPlace) {
    SendMouse(dialog, QEvent::MouseButtonPress, grip, Qt::LeftButton,
              Qt::LeftButton | Qt::RightButton);
    SendMouse(dialog, QEvent::MouseMove, grip + QPoint(30, 15), Qt::NoButton,
              Qt::LeftButton | Qt::RightButton);
    EXPECT_FALSE(dialog.IsDragging());
    EXPECT_EQ(dialog.pos(), start);

    SendMouse(dialog, QEvent::MouseButtonPress, grip, Qt::LeftButton, Qt::LeftButton,
              Qt::ShiftModifier);
    SendMouse(dialog, QEvent::MouseMove, grip + QPoint(30, 15), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(dialog.pos(), start);
}

// Labels let presses through, so the text of a message is part of the background too.
TEST_F(GameDlgDrag, APressOnALabelDragsTheDialog) {
    SendMouse(*dialog.m_second, QEvent::MouseButtonPress,
              dialog.m_second->mapToGlobal(QPoint(2, 2)), Qt::LeftButton, Qt::LeftButton);
    EXPECT_TRUE(dialog.IsDragging());
    SendMouse(dialog, QEvent::MouseMove, dialog.m_second->mapToGlobal(QPoint(12, 12)), Qt::NoButton,
              Qt::LeftButton);
    EXPECT_EQ(dialog.pos(), start + QPoint(10, 10));
}

TEST_F(GameDlgDrag, HidingTheDialogEndsTheDrag) {
    SendMouse(dialog, QEvent::MouseButtonPress, grip, Qt::LeftButton, Qt::LeftButton);
    dialog.hide();
    EXPECT_FALSE(dialog.IsDragging());
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}

TEST(MessageDlgDrag, TheMessageDialogDragsByItsText) {
    CMessageDlg dialog(1, QStringLiteral("訊息"), true);
    dialog.show();
    dialog.move(50, 60);
    const QPoint start = dialog.pos();
    QLabel* text = dialog.findChild<QLabel*>();
    SendMouse(*text, QEvent::MouseButtonPress, text->mapToGlobal(QPoint(1, 1)), Qt::LeftButton,
              Qt::LeftButton);
    SendMouse(dialog, QEvent::MouseMove, text->mapToGlobal(QPoint(41, 21)), Qt::NoButton,
              Qt::LeftButton);
    SendMouse(dialog, QEvent::MouseButtonRelease, text->mapToGlobal(QPoint(41, 21)), Qt::LeftButton,
              Qt::NoButton);
    EXPECT_EQ(dialog.pos(), start + QPoint(40, 20));
}

}  // namespace
}  // namespace ui
