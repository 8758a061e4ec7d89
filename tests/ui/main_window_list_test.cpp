// The main list and the frame around it over a freshly loaded installation.
#include <QAction>
#include <QDockWidget>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QTest>
#include <filesystem>

#include "app/frame_status_bar.h"
#include "main_window_fixture.h"

namespace mainwindow_test {
namespace {

void ExpectListMatchesRoster(ui::CQ06KaoCgEditView& view, roster::bushou_manager& generals) {
    int item = 0;
    for (int i = 0; i < generals.count(); ++i) {
        const roster::bushou& general = *generals.at(i);
        if (IsFixed(general)) {
            continue;
        }
        ASSERT_EQ(view.GeneralAt(item), &general) << "roster position " << i;
        EXPECT_EQ(view.model()->index(item, 0).data().toString().toStdWString(),
                  general.DisplayName());
        ++item;
    }
    EXPECT_EQ(view.ItemCount(), item);
}

TEST_F(MainWindow, ListsEveryGeneralButTheFixedOnesInRosterOrder) {
    ExpectListMatchesRoster(View(), Generals());
    EXPECT_EQ(View().ItemCount(), Generals().count() - 2);
    for (int item = 0; item < View().ItemCount(); ++item) {
        ASSERT_EQ(ItemColour(item), QColor(0, 0, 0)) << item;
    }
    EXPECT_EQ(View().SelectedItem(), 0);
    EXPECT_EQ(View().currentIndex().row(), 0);
    EXPECT_EQ(frame->PreviewBar().ShownName().toStdWString(), GeneralOfItem(0).Name());
    EXPECT_TRUE(ui.boxes.empty());
}

class MainWindowBaseEdition : public MainWindow {
protected:
    MainWindowBaseEdition() : MainWindow(false) {}
};

TEST_F(MainWindowBaseEdition, ListsEveryGeneralButTheFixedOne) {
    ExpectListMatchesRoster(View(), Generals());
    EXPECT_EQ(View().ItemCount(), Generals().count() - 1);
}

TEST_F(MainWindow, AChangedFaceIsRedAndMarkedUntilSavedAndTheFrameFollows) {
    EXPECT_FALSE(frame->CommandAction(app::CMainFrame::kSave)->isEnabled());
    EXPECT_FALSE(frame->CommandAction(app::CMainFrame::kInitializeAll)->isEnabled());
    EXPECT_EQ(frame->windowTitle(), app::CMainFrame::Title());

    ChangeFace(5, 1707);
    frame->UpdateFrameState();
    EXPECT_TRUE(frame->CommandAction(app::CMainFrame::kSave)->isEnabled());
    EXPECT_TRUE(frame->CommandAction(app::CMainFrame::kInitializeAll)->isEnabled());
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("『Quorvane』 容貌變更編輯器(有變更)"));

    View().FillList();
    EXPECT_EQ(ItemText(5).toStdWString(), GeneralOfItem(5).Name() + L"(變更)");
    EXPECT_EQ(ItemColour(5), QColor(255, 0, 0));
    EXPECT_EQ(ItemText(4).toStdWString(), GeneralOfItem(4).Name());
    EXPECT_EQ(ItemColour(4), QColor(0, 0, 0));
}

TEST_F(MainWindow, TheRightButtonNeitherSelectsNorChangesThePreview) {
    frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    const QPoint third = View().visualRect(View().model()->index(3, 0)).center();
    QTest::mouseClick(View().viewport(), Qt::RightButton, {}, third);
    QTest::mouseDClick(View().viewport(), Qt::RightButton, {}, third);
    EXPECT_EQ(View().SelectedItem(), 0);
    EXPECT_EQ(frame->PreviewBar().ShownName().toStdWString(), GeneralOfItem(0).Name());

    QTest::mouseClick(View().viewport(), Qt::LeftButton, {}, third);
    EXPECT_EQ(View().SelectedItem(), 3);
    EXPECT_EQ(frame->PreviewBar().ShownName().toStdWString(), GeneralOfItem(3).Name());
    EXPECT_EQ(frame->PreviewBar().ShownFace(2).size(), QSize(240, 240));
    EXPECT_EQ(frame->PreviewBar().ShownFace(1).size(), QSize(96, 120));
    EXPECT_EQ(frame->PreviewBar().ShownFace(0).size(), QSize(60, 60));
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(MainWindow, ItemsSitOnTheGridWithTheirThumbnails) {
    frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    EXPECT_EQ(View().viewMode(), QListView::IconMode);
    EXPECT_EQ(View().gridSize(), QSize(126, 105));
    EXPECT_EQ(View().selectionMode(), QAbstractItemView::SingleSelection);
    const QRect first = View().visualRect(View().model()->index(0, 0));
    const QRect second = View().visualRect(View().model()->index(1, 0));
    EXPECT_EQ(second.left() - first.left(), 126);
    const QPixmap thumbnail = View().model()->index(0, 0).data(Qt::DecorationRole).value<QPixmap>();
    EXPECT_EQ(thumbnail.size(), QSize(60, 60));
}

TEST_F(MainWindow, TheMenuBarHoldsTheSevenCommandsInARow) {
    const QList<QAction*> actions = frame->menuBar()->actions();
    const QStringList texts = {"載入圖像(&R)", "變更圖像(&C)", "覆蓋儲存(&S)",
                               "全初始化(&I)", "搜尋武將(&F)", "版本情報(&A)",
                               "結束(&X)",     "復原(&U)",     "重做(&Y)"};
    ASSERT_EQ(actions.size(), texts.size());
    for (qsizetype i = 0; i < actions.size(); ++i) {
        EXPECT_EQ(actions[i]->text(), texts[i]);
        EXPECT_EQ(actions[i]->menu(), nullptr);
    }
    EXPECT_EQ(frame->CommandAction(app::CMainFrame::kSave)->shortcut(),
              QKeySequence(QStringLiteral("Ctrl+S")));
    EXPECT_EQ(frame->CommandAction(app::CMainFrame::kSearch)->statusTip().toStdWString(),
              Text(resources::IDS_PROMPT_SEARCH));
}

TEST_F(MainWindow, TheStatusBarShowsAPromptWhileACommandIsHighlighted) {
    frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    app::CFrameStatusBar& status = frame->StatusBar();
    EXPECT_EQ(status.ShownText(), QStringLiteral("Ready"));
    ASSERT_EQ(status.Indicators().size(), 3u);
    EXPECT_EQ(status.Indicators()[0]->text(), QStringLiteral("CAP"));
    EXPECT_EQ(status.Indicators()[1]->text(), QStringLiteral("NUM"));
    EXPECT_EQ(status.Indicators()[2]->text(), QStringLiteral("SCRL"));

    QMenuBar* bar = frame->menuBar();
    QAction* load = frame->CommandAction(app::CMainFrame::kLoadImage);
    // The events themselves, as a real pointer sends them: the test pointer's moves between
    // widgets do not always reach the menu bar before the check.
    const QPoint over = bar->actionGeometry(load).center();
    QMouseEvent move(QEvent::MouseMove, over, bar->mapToGlobal(over), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(bar, &move);
    EXPECT_EQ(status.ShownText().toStdWString(), Text(resources::IDS_PROMPT_LOAD_IMAGE));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(bar, &leave);
    EXPECT_EQ(status.ShownText(), QStringLiteral("Ready"));
}

TEST_F(MainWindow, StartsAt800By600AndRefusesToShrinkBelow400By600) {
    EXPECT_EQ(frame->size(), QSize(800, 600));
    frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    frame->resize(300, 450);
    QCoreApplication::processEvents();
    EXPECT_GE(frame->width(), 400);
    EXPECT_GE(frame->height(), 600);
    frame->resize(1000, 700);
    QCoreApplication::processEvents();
    EXPECT_EQ(frame->size(), QSize(1000, 700));
}

TEST_F(MainWindow, ThePreviewBarIsDockedLeftAndCannotBeClosedOrFloated) {
    EXPECT_EQ(frame->dockWidgetArea(&frame->PreviewBar()), Qt::LeftDockWidgetArea);
    EXPECT_EQ(frame->PreviewBar().features(), QDockWidget::NoDockWidgetFeatures);
}

TEST_F(MainWindow, ClosingWithUnsavedFacesAsksAndTheAnswerNoKeepsTheEditorOpen) {
    frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    ChangeFace(2, 1710);
    ui.answer = document::IMessageDialog::kResultNo;
    frame->CommandAction(app::CMainFrame::kExit)->trigger();
    EXPECT_TRUE(frame->isVisible());
    ASSERT_EQ(ui.dialogs.size(), 1u);
    EXPECT_EQ(ui.dialogs[0], Text(resources::IDS_EXIT_UNSAVED_QUESTION));
    ui.answer = document::IMessageDialog::kResultYes;
    EXPECT_TRUE(frame->close());
    EXPECT_FALSE(frame->isVisible());
}

TEST_F(MainWindow, AFaceThatCannotBeReadIsLeftEmptyAndReportedOnce) {
    const std::filesystem::path large = demo.Host(demo.Settings().stockDataFolder + L"KAO_L.q06");
    ASSERT_TRUE(std::filesystem::exists(large));
    std::filesystem::rename(large, large.string() + ".away");
    View().SelectItem(1);
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0], Text(resources::IDS_FILE_READ_FAILED));
    ui::CCGDialogBar& preview = frame->PreviewBar();
    EXPECT_EQ(preview.ShownName().toStdWString(), GeneralOfItem(1).Name());
    EXPECT_TRUE(preview.ShownFace(2).isNull());
    EXPECT_EQ(preview.ShownFace(1).size(), QSize(96, 120));
    EXPECT_EQ(preview.ShownFace(0).size(), QSize(60, 60));

    preview.ShowGeneral(nullptr);
    EXPECT_TRUE(preview.ShownName().isEmpty());
    for (int size = 0; size < 3; ++size) {
        EXPECT_TRUE(preview.ShownFace(size).isNull());
    }
    EXPECT_EQ(ui.boxes.size(), 1u);
}

// Before the roster is loaded the commands have nothing to work on.
class MainWindowBeforeLoading : public ::testing::Test {
protected:
    testsupport::PrivateRuntimeFolder runtime;
    testsupport::DemoPrefix demo;
    RecordingUi ui;
    ListRelay list;
    document::CQ06KaoCgEditDoc doc{demo.Platform(), demo.Settings(), {ui, ui, ui, list}};
    app::CMainFrame frame{doc, ui, ui};
};

TEST_F(MainWindowBeforeLoading, CommandsDoNothingAndTheMenuKeepsItsState) {
    frame.View().FillList();
    frame.UpdateFrameState();
    frame.CommandAction(app::CMainFrame::kSave)->trigger();
    frame.CommandAction(app::CMainFrame::kInitializeAll)->trigger();
    EXPECT_TRUE(ui.dialogs.empty());
    EXPECT_EQ(ui.opens, 0);
    EXPECT_EQ(frame.View().ItemCount(), 0);
    EXPECT_TRUE(frame.CommandAction(app::CMainFrame::kSave)->isEnabled());
    EXPECT_TRUE(frame.PreviewBar().ShownName().isEmpty());
}

}  // namespace
}  // namespace mainwindow_test
