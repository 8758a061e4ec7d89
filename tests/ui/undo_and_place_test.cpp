// Undo and redo from the menu, the place in the list kept across refills, the questions whose
// default answer is "否", and names that wrap without splitting their mark.
#include <gtest/gtest.h>

#include <QMenuBar>
#include <QScrollBar>
#include <QTest>
#include <QTextLayout>

#include "dlg_test_helpers.h"
#include "document/registration.h"
#include "main_window_fixture.h"
#include "ui/message_dlg.h"

namespace mainwindow_test {
namespace {

class UndoAndPlace : public MainWindow {
protected:
    QAction* Command(int id) { return frame->CommandAction(id); }
};

TEST_F(UndoAndPlace, TheMenuNamesTheStepAndFollowsTheHistory) {
    EXPECT_FALSE(Command(app::CMainFrame::kUndo)->isEnabled()) << "nothing to undo yet";
    EXPECT_EQ(Command(app::CMainFrame::kUndo)->shortcut(), QKeySequence(QStringLiteral("Ctrl+Z")));
    EXPECT_EQ(Command(app::CMainFrame::kRedo)->shortcuts(),
              (QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+Y")),
                                   QKeySequence(QStringLiteral("Ctrl+Shift+Z"))}));
    const std::int32_t original = GeneralOfItem(3).CurrentFace();
    document::ChangeFace(doc, GeneralOfItem(3), 1707);
    frame->UpdateFrameState();
    EXPECT_EQ(Command(app::CMainFrame::kUndo)->text(), QStringLiteral("復原 變更圖像(&U)"));
    EXPECT_TRUE(frame->windowTitle().endsWith(QStringLiteral("(有變更)")));

    Command(app::CMainFrame::kUndo)->trigger();
    EXPECT_EQ(GeneralOfItem(3).CurrentFace(), original);
    EXPECT_EQ(frame->windowTitle(), app::CMainFrame::Title()) << "back at the saved state";
    EXPECT_EQ(ItemColour(3), QColor(0, 0, 0));
    EXPECT_FALSE(Command(app::CMainFrame::kUndo)->isEnabled());
    EXPECT_EQ(Command(app::CMainFrame::kUndo)->text(), QStringLiteral("復原(&U)"));
    EXPECT_EQ(Command(app::CMainFrame::kRedo)->text(), QStringLiteral("重做 變更圖像(&Y)"));

    Command(app::CMainFrame::kRedo)->trigger();
    EXPECT_EQ(GeneralOfItem(3).CurrentFace(), 1707);
    EXPECT_FALSE(Command(app::CMainFrame::kRedo)->isEnabled());
}

TEST_F(UndoAndPlace, ARefillKeepsTheSelectedGeneralInView) {
    frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    const int item = View().ItemCount() - 40;
    View().SelectItem(item);
    const int scrolled = View().verticalScrollBar()->value();
    ASSERT_GT(scrolled, 0);
    View().FillList();
    EXPECT_EQ(View().SelectedItem(), item);
    EXPECT_EQ(View().verticalScrollBar()->value(), scrolled);
    EXPECT_TRUE(
        View().viewport()->rect().intersects(View().visualRect(View().model()->index(item, 0))));
}

TEST_F(UndoAndPlace, InitializeAllAsksWithNoAsTheDefault) {
    document::ChangeFace(doc, GeneralOfItem(2), 1707);
    frame->UpdateFrameState();
    ui.answer = document::IMessageDialog::kResultNo;
    Command(app::CMainFrame::kInitializeAll)->trigger();
    EXPECT_EQ(ui.discardQuestions, 1);
    EXPECT_EQ(GeneralOfItem(2).CurrentFace(), 1707);
}

TEST(DiscardQuestion, EnterAndEscapeBothAnswerNo) {
    for (const int key : {Qt::Key_Return, Qt::Key_Escape}) {
        ui::CMessageDlg dialog(document::IMessageDialog::kYesNo, QStringLiteral("?"), false);
        dialog.SetDefaultToLast();
        EXPECT_EQ(dialog.EnterResult(), document::IMessageDialog::kResultNo);
        uitest::OnModal([key](QWidget* modal) { QTest::keyClick(modal, Qt::Key(key)); });
        EXPECT_EQ(dialog.DoModal(), document::IMessageDialog::kResultNo) << key;
    }
}

TEST(ListText, ANarrowLineBreaksBeforeTheChangedMarkNeverInsideIt) {
    const QString text = ui::GeneralListModel::ListText(L"諸葛亮孔明(變更)");
    EXPECT_EQ(QString(text).remove(QChar(0x2060)), QStringLiteral("諸葛亮孔明(變更)"));
    QTextLayout layout(text, QApplication::font());
    layout.beginLayout();
    QList<int> lineEnds;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(1);  // as narrow as can be: every allowed break is taken
        lineEnds.push_back(line.textStart() + line.textLength());
    }
    layout.endLayout();
    const int markStart = text.indexOf(QLatin1Char('('));
    for (const int end : lineEnds) {
        EXPECT_TRUE(end <= markStart || end == text.size()) << end;
    }
}

}  // namespace
}  // namespace mainwindow_test
