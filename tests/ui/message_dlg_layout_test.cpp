#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <algorithm>
#include <vector>

#include "dlg_test_helpers.h"
#include "resources/string_table.h"
#include "ui/message_dlg.h"

namespace ui {
namespace {

std::vector<QPushButton*> ButtonsLeftToRight(const QWidget& dialog) {
    const auto found = dialog.findChildren<QPushButton*>();
    std::vector<QPushButton*> buttons(found.begin(), found.end());
    std::sort(buttons.begin(), buttons.end(),
              [](QPushButton* a, QPushButton* b) { return a->x() < b->x(); });
    return buttons;
}

QLabel* TextOf(const QWidget& dialog) {
    return dialog.findChild<QLabel*>();
}

TEST(MessageDlgLayout, ALongLineWidensTheWindowToHoldIt) {
    CMessageDlg shortText(0, QStringLiteral("短"), false);
    CMessageDlg longText(0, QString(60, QChar(u'長')) + QStringLiteral("\n短"), false);
    shortText.show();
    longText.show();
    EXPECT_GT(longText.width(), shortText.width());
    const QRect text = TextOf(longText)->geometry();
    EXPECT_TRUE(longText.rect().contains(text));
    EXPECT_GE(text.width(), TextOf(longText)->sizeHint().width());
    EXPECT_GE(text.width(), 60 * 16);
}

TEST(MessageDlgLayout, AShortMessageIsAsWideAsItsButtonRow) {
    CMessageDlg three(2, QStringLiteral("短"), false);
    three.show();
    EXPECT_GE(three.width(), 3 * 104);
    CMessageDlg five(3, QStringLiteral("短"), false);
    five.show();
    EXPECT_GE(five.width(), 5 * 104);
}

TEST(MessageDlgLayout, ButtonsFormACentredRowBelowTheText) {
    CMessageDlg dialog(3, QStringLiteral("第一行\n第二行"), false);
    dialog.show();
    const auto buttons = ButtonsLeftToRight(dialog);
    ASSERT_EQ(buttons.size(), 5u);
    const QRect text = TextOf(dialog)->geometry();
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        EXPECT_EQ(buttons[i]->size(), QSize(96, 32));
        EXPECT_EQ(buttons[i]->y(), buttons[0]->y());
        EXPECT_EQ(buttons[i]->x() - buttons[0]->x(), static_cast<int>(i) * 104);
    }
    EXPECT_GT(buttons[0]->y(), text.bottom());
    EXPECT_LE(buttons[0]->geometry().bottom(), dialog.height());
    const int leftGap = buttons.front()->x();
    const int rightGap = dialog.width() - buttons.back()->geometry().right() - 1;
    EXPECT_LE(std::abs(leftGap - rightGap), 1);
}

TEST(MessageDlgLayout, TheTextIsCentredEightPixelsBelowTheTop) {
    CMessageDlg dialog(1, QStringLiteral("容貌資料已變更，\n是否確定不儲存而直接結束？"), false);
    dialog.show();
    const QRect text = TextOf(dialog)->geometry();
    EXPECT_EQ(text.y(), 8);
    EXPECT_LE(std::abs(text.x() - (dialog.width() - text.right() - 1)), 1);
    EXPECT_TRUE(TextOf(dialog)->alignment() & Qt::AlignHCenter);
}

TEST(MessageDlgLayout, TheCheckBoxSitsCentredBetweenTextAndButtons) {
    CMessageDlg dialog(0, QStringLiteral("短"), true);
    dialog.show();
    const QRect check = dialog.findChild<QCheckBox*>()->geometry();
    EXPECT_GT(check.top(), TextOf(dialog)->geometry().bottom());
    EXPECT_LT(check.bottom(), ButtonsLeftToRight(dialog)[0]->y());
    EXPECT_LE(std::abs(check.x() - (dialog.width() - check.right() - 1)), 1);
    // The check box's text is wider than the text and the one button: it sets the width.
    EXPECT_GE(check.width(), dialog.findChild<QCheckBox*>()->sizeHint().width());
    EXPECT_TRUE(dialog.rect().contains(check));

    CMessageDlg without(0, QStringLiteral("短"), false);
    without.show();
    EXPECT_LT(without.height(), dialog.height());
}

TEST(MessageDlgLayout, MoreLinesMakeATallerWindow) {
    CMessageDlg one(0, QStringLiteral("一"), false);
    CMessageDlg three(0, QStringLiteral("一\n二\n三"), false);
    one.show();
    three.show();
    EXPECT_GT(three.height(), one.height() + 16);
    EXPECT_EQ(three.minimumSize(), three.maximumSize());
}

TEST(MessageDlgScreenshots, EachButtonSet) {
    struct Shot {
        int kind;
        int textId;
        bool checkBox;
        bool alternative;
        const char* name;
    };
    const Shot shots[] = {
        {0, resources::IDS_REGISTER_GUIDE, true, false, "message_kind0_checkbox"},
        {0, resources::IDS_SAVED, false, false, "message_kind0"},
        {1, resources::IDS_EXIT_UNSAVED_QUESTION, false, false, "message_kind1"},
        {2, resources::IDS_INITIALIZE_QUESTION, true, true, "message_kind2_alternative"},
        {3, resources::IDS_SAVED, false, false, "message_kind3"},
    };
    for (const Shot& shot : shots) {
        CMessageDlg dialog(shot.kind, shot.textId, shot.checkBox);
        dialog.SetAlternativeCheckText(shot.alternative);
        dialog.show();
        uitest::SaveScreenshot(dialog, QString::fromLatin1(shot.name));
    }
}

}  // namespace
}  // namespace ui
