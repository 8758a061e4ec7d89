#include "ui/progress_wnd.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QProgressBar>

#include "dlg_test_helpers.h"
#include "resources/string_table.h"
#include "ui/progress_window_adapter.h"
#include "ui/wide_text.h"

namespace ui {
namespace {

int OpenProgressWindows() {
    int count = 0;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (qobject_cast<CProgressWnd*>(window))
            ++count;
    }
    return count;
}

void DeleteClosedWindows() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

class ProgressWnd : public ::testing::Test {
protected:
    void TearDown() override {
        progress.Close();
        DeleteClosedWindows();
        EXPECT_EQ(OpenProgressWindows(), 0);
    }
    QWidget mainWindow;
    ProgressWindowAdapter progress{&mainWindow};
};

TEST_F(ProgressWnd, NStepsFillTheBar) {
    progress.Open(resources::LoadString(resources::IDS_LOADING_DATA), 5);
    CProgressWnd* window = progress.Window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->Text(), LoadQString(resources::IDS_LOADING_DATA));
    EXPECT_EQ(window->Position(), 0);
    EXPECT_EQ(window->Maximum(), 5);
    for (int i = 0; i < 5; ++i)
        progress.Step();
    const QProgressBar* bar = window->findChild<QProgressBar*>();
    EXPECT_EQ(bar->value(), bar->maximum());
    uitest::SaveScreenshot(*window, QStringLiteral("progress_full"));
}

TEST_F(ProgressWnd, ASecondOpenBringsTheFirstForwardUnchanged) {
    progress.Open(resources::LoadString(resources::IDS_LOADING_DATA), 10);
    CProgressWnd* first = progress.Window();
    progress.Step();
    first->showMinimized();

    ProgressWindowAdapter other(&mainWindow);
    other.Open(resources::LoadString(resources::IDS_INITIALIZING), 3);
    EXPECT_EQ(other.Window(), first);
    EXPECT_EQ(OpenProgressWindows(), 1);
    EXPECT_FALSE(first->isMinimized());
    EXPECT_EQ(first->Text(), LoadQString(resources::IDS_LOADING_DATA));
    EXPECT_EQ(first->Maximum(), 10);
    EXPECT_EQ(first->Position(), 1);
}

TEST_F(ProgressWnd, ClosingDestroysTheWindowAndTheNextOpenMakesANewOne) {
    progress.Open(L"一", 4);
    QPointer<CProgressWnd> first = progress.Window();
    progress.Close();
    progress.Step();  // goes nowhere
    DeleteClosedWindows();
    EXPECT_TRUE(first.isNull());

    progress.Open(resources::LoadString(resources::IDS_INITIALIZING), 2);
    EXPECT_EQ(progress.Window()->Text(), LoadQString(resources::IDS_INITIALIZING));
    EXPECT_EQ(progress.Window()->Maximum(), 2);
    EXPECT_EQ(progress.Window()->Position(), 0);
}

// The user may close the window while the work still steps it: it must not come back, and
// it must not be taken for the open window before its deferred deletion.
TEST_F(ProgressWnd, AWindowTheUserClosedStaysClosed) {
    progress.Open(L"一", 4);
    CProgressWnd* first = progress.Window();
    first->close();
    progress.Step();
    EXPECT_FALSE(first->isVisible());
    EXPECT_EQ(CProgressWnd::Find(), nullptr);

    ProgressWindowAdapter other(&mainWindow);
    other.Open(L"二", 2);
    EXPECT_NE(other.Window(), first);
    EXPECT_EQ(other.Window()->Text(), QStringLiteral("二"));
    other.Close();
}

TEST_F(ProgressWnd, ItIsCentredOverItsParentWithTheNormalFont) {
    mainWindow.setGeometry(200, 150, 900, 700);
    mainWindow.show();
    progress.Open(L"一", 1);
    const QRect parent = mainWindow.frameGeometry();
    const QRect window = progress.Window()->frameGeometry();
    EXPECT_LE((parent.center() - window.center()).manhattanLength(), 2);
    EXPECT_EQ(progress.Window()->findChild<QLabel*>()->font().pixelSize(), 16);
    mainWindow.hide();
}

}  // namespace
}  // namespace ui
