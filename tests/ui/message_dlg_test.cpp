#include "ui/message_dlg.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <vector>

#include "dlg_test_helpers.h"
#include "resources/string_table.h"
#include "ui/wide_text.h"

namespace ui {
namespace {

struct KindCase {
    int kind;
    std::vector<QString> labels;
    int firstResult;
};

const std::vector<KindCase> kKinds{
    {0, {"確認"}, 0},
    {1, {"是", "否"}, 1},
    {2, {"以別名儲存", "覆蓋儲存", "中止"}, 3},
    {3, {"別名", "全部別名", "覆蓋", "全部覆蓋", "中止"}, 6},
};

// Focus moves only inside the active window; on a busy machine the dialog may not be active
// yet when the test starts to act on it.
void FocusInActiveWindow(QWidget* modal, QWidget* target) {
    modal->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(modal));
    target->setFocus();
}

// Key presses go where the user's would: to the widget with the focus.
void PressKey(QWidget* modal, Qt::Key key) {
    QWidget* target = QApplication::focusWidget();
    QTest::keyClick(target && target->window() == modal ? target : modal, key);
}

int RunModal(CMessageDlg& dialog, std::function<void(QWidget*)> action) {
    uitest::OnModal(std::move(action));
    return dialog.DoModal();
}

TEST(MessageDlgResults, EachButtonGivesItsNumber) {
    for (const KindCase& k : kKinds) {
        for (std::size_t i = 0; i < k.labels.size(); ++i) {
            CMessageDlg dialog(k.kind, QStringLiteral("訊息"), false);
            const int result = RunModal(dialog, [&](QWidget* modal) {
                QAbstractButton* button = uitest::ButtonWithText(modal, k.labels[i]);
                ASSERT_NE(button, nullptr) << k.labels[i].toStdString();
                button->click();
            });
            EXPECT_EQ(result, k.firstResult + static_cast<int>(i)) << k.labels[i].toStdString();
        }
    }
}

TEST(MessageDlgResults, EnterGivesTheFirstButtonsNumber) {
    for (const KindCase& k : kKinds) {
        CMessageDlg dialog(k.kind, QStringLiteral("訊息"), false);
        EXPECT_EQ(RunModal(dialog, [](QWidget* modal) { PressKey(modal, Qt::Key_Return); }),
                  k.firstResult)
            << "kind " << k.kind;
    }
    CMessageDlg keypad(1, QStringLiteral("訊息"), false);
    EXPECT_EQ(RunModal(keypad, [](QWidget* modal) { PressKey(modal, Qt::Key_Enter); }), 1);
}

TEST(MessageDlgResults, EscapeAndClosingGiveTheLastButtonsNumber) {
    const int last[] = {0, 2, 5, 10};
    for (const KindCase& k : kKinds) {
        CMessageDlg escaped(k.kind, QStringLiteral("訊息"), true);
        EXPECT_EQ(RunModal(escaped, [](QWidget* modal) { PressKey(modal, Qt::Key_Escape); }),
                  last[k.kind])
            << "kind " << k.kind;
        CMessageDlg closed(k.kind, QStringLiteral("訊息"), true);
        EXPECT_EQ(RunModal(closed, [](QWidget* modal) { modal->close(); }), last[k.kind])
            << "kind " << k.kind;
    }
}

// After the user tabs to "否", Enter must not answer "是": for the exit question that would
// throw the unsaved faces away.
TEST(MessageDlgResults, EnterAnswersWithTheButtonThatHasTheFocus) {
    CMessageDlg dialog(1, QStringLiteral("訊息"), false);
    EXPECT_EQ(RunModal(dialog,
                       [](QWidget* modal) {
                           FocusInActiveWindow(modal,
                                               uitest::ButtonWithText(modal, QStringLiteral("否")));
                           PressKey(modal, Qt::Key_Return);
                       }),
              2);
    CMessageDlg withCheckBox(1, QStringLiteral("訊息"), true);
    EXPECT_EQ(RunModal(withCheckBox,
                       [](QWidget* modal) {
                           FocusInActiveWindow(modal, modal->findChild<QCheckBox*>());
                           PressKey(modal, Qt::Key_Return);
                       }),
              1);
}

TEST(MessageDlgResults, AnUnknownKindCanStillBeAnswered) {
    CMessageDlg dialog(7, QStringLiteral("訊息"), false);
    EXPECT_EQ(RunModal(dialog,
                       [](QWidget* modal) {
                           EXPECT_EQ(modal->findChildren<QPushButton*>().size(), 1);
                           PressKey(modal, Qt::Key_Escape);
                       }),
              0);
}

TEST(MessageDlgCheckBox, ThePressedButtonTakesTheCheckBoxState) {
    CMessageDlg ticked(0, resources::IDS_REGISTER_GUIDE, true);
    RunModal(ticked, [](QWidget* modal) {
        modal->findChild<QCheckBox*>()->click();
        uitest::ButtonWithText(modal, QStringLiteral("確認"))->click();
    });
    EXPECT_TRUE(ticked.IsChecked());

    CMessageDlg untouched(0, resources::IDS_REGISTER_GUIDE, true);
    RunModal(untouched, [](QWidget* modal) { PressKey(modal, Qt::Key_Return); });
    EXPECT_FALSE(untouched.IsChecked());

    CMessageDlg cancelled(2, QStringLiteral("訊息"), true);
    RunModal(cancelled, [](QWidget* modal) {
        modal->findChild<QCheckBox*>()->click();
        PressKey(modal, Qt::Key_Escape);
    });
    EXPECT_FALSE(cancelled.IsChecked());
}

TEST(MessageDlgCheckBox, TextsAndVisibility) {
    CMessageDlg plain(0, QStringLiteral("訊息"), true);
    plain.show();
    EXPECT_EQ(plain.windowTitle(), QStringLiteral("確定"));
    EXPECT_TRUE(plain.findChild<QCheckBox*>()->isVisible());
    EXPECT_EQ(plain.findChild<QCheckBox*>()->text(), QStringLiteral("今後不顯示此訊息。"));

    CMessageDlg alternative(2, QStringLiteral("訊息"), true);
    alternative.SetAlternativeCheckText(true);
    alternative.show();
    EXPECT_EQ(alternative.findChild<QCheckBox*>()->text(),
              LoadQString(resources::IDS_DONT_SHOW_SAVE_AS));

    CMessageDlg none(0, QStringLiteral("訊息"), false);
    none.show();
    EXPECT_FALSE(none.findChild<QCheckBox*>()->isVisible());
}

}  // namespace
}  // namespace ui
