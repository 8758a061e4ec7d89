// Save and initialize-all as the menu runs them.
#include <QAction>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <filesystem>

#include "document/game_environment.h"
#include "main_window_fixture.h"

namespace mainwindow_test {
namespace {

namespace fs = std::filesystem;

class MainWindowCommands : public MainWindow {
protected:
    fs::path IdArchive() { return demo.Host(demo.Settings().editDataFolder + L"kaoeditzv.q06"); }
    QAction* Command(int id) { return frame->CommandAction(id); }

    bool AnyItemMarked() {
        for (int item = 0; item < View().ItemCount(); ++item) {
            if (ItemText(item).endsWith(QStringLiteral("(變更)"))) {
                return true;
            }
        }
        return false;
    }
};

TEST_F(MainWindowCommands, SaveWritesTheIdArchiveAndClearsEveryMark) {
    ChangeFace(3, 1707);
    ChangeFace(9, GeneralOfItem(10).DefaultFace());
    View().FillList();
    ASSERT_TRUE(AnyItemMarked());
    View().SelectItem(20);

    Command(app::CMainFrame::kSave)->trigger();
    ASSERT_FALSE(ui.dialogs.empty());
    EXPECT_EQ(ui.dialogs.back(), Text(resources::IDS_SAVED));
    EXPECT_EQ(ui.kinds.back(), document::IMessageDialog::kConfirm);
    EXPECT_TRUE(fs::exists(IdArchive()));
    EXPECT_FALSE(AnyItemMarked());
    EXPECT_EQ(ItemColour(3), QColor(255, 0, 0));
    EXPECT_EQ(View().SelectedItem(), 20) << "the place in the list is kept";
    EXPECT_FALSE(Command(app::CMainFrame::kSave)->isEnabled());
    EXPECT_TRUE(Command(app::CMainFrame::kInitializeAll)->isEnabled());
    EXPECT_EQ(frame->windowTitle(), app::CMainFrame::Title());

    // What the archive now holds is what a later start reads.
    roster::bushou_manager reread(demo.Settings().edition);
    reread.build();
    ASSERT_TRUE(reread.ApplyFaceAssignments({demo.Files(), demo.Settings().edition},
                                            demo.Settings().editDataFolder));
    const int row3 = GeneralOfItem(3).RowIndex();
    const int row9 = GeneralOfItem(9).RowIndex();
    EXPECT_EQ(reread.at(row3)->CurrentFace(), 1707);
    EXPECT_EQ(reread.at(row9)->CurrentFace(), GeneralOfItem(10).DefaultFace());
}

TEST_F(MainWindowCommands, CtrlSSavesOnlyWhileSaveIsEnabled) {
    frame->show();
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    QTest::keyClick(frame.get(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(ui.dialogs.empty());
    ChangeFace(3, 1707);
    frame->UpdateFrameState();
    QTest::keyClick(frame.get(), Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(ui.dialogs.size(), 1u);
    EXPECT_EQ(ui.dialogs[0], Text(resources::IDS_SAVED));
    EXPECT_TRUE(fs::exists(IdArchive()));
}

TEST_F(MainWindowCommands, WhileTheGameRunsSaveAndInitializeAllStopAtTheNotice) {
    ChangeFace(3, 1707);
    View().FillList();
    {
        auto game = demo.Platform().GetProcesses().OpenGlobalMutex(game::kGameMutex);
        ASSERT_TRUE(game);
        Command(app::CMainFrame::kSave)->trigger();
        Command(app::CMainFrame::kInitializeAll)->trigger();
    }
    ASSERT_EQ(ui.dialogs.size(), 2u);
    EXPECT_TRUE(ui.dialogs[0].starts_with(Text(resources::IDS_QUIT_GAME_FIRST)));
    EXPECT_TRUE(ui.dialogs[1].starts_with(Text(resources::IDS_QUIT_GAME_FIRST)));
    EXPECT_EQ(ui.opens, 0);
    EXPECT_FALSE(fs::exists(IdArchive()));
    EXPECT_TRUE(AnyItemMarked());
    EXPECT_EQ(GeneralOfItem(3).CurrentFace(), 1707);
    EXPECT_TRUE(Command(app::CMainFrame::kSave)->isEnabled());
}

TEST_F(MainWindowCommands, InitializeAllAnsweredNoChangesNothing) {
    ChangeFace(3, 1707);
    View().FillList();
    ui.ClearRecords();
    ui.answer = document::IMessageDialog::kResultNo;
    Command(app::CMainFrame::kInitializeAll)->trigger();
    ASSERT_EQ(ui.dialogs.size(), 1u);
    EXPECT_EQ(ui.dialogs[0], Text(resources::IDS_INITIALIZE_QUESTION));
    EXPECT_EQ(ui.kinds[0], document::IMessageDialog::kYesNo);
    EXPECT_EQ(ui.opens, 0);
    EXPECT_EQ(GeneralOfItem(3).CurrentFace(), 1707);
    EXPECT_EQ(ItemColour(3), QColor(255, 0, 0));
}

TEST_F(MainWindowCommands, InitializeAllResetsEveryFaceAndTurnsTheNamesBlack) {
    // A saved change: after the reset that general is unsaved again.
    ChangeFace(3, 1707);
    frame->UpdateFrameState();
    Command(app::CMainFrame::kSave)->trigger();
    ASSERT_EQ(ui.dialogs.back(), Text(resources::IDS_SAVED));
    ChangeFace(7, 1708);
    View().FillList();
    ui.ClearRecords();

    Command(app::CMainFrame::kInitializeAll)->trigger();
    ASSERT_EQ(ui.dialogs.size(), 1u);
    EXPECT_EQ(ui.dialogs[0], Text(resources::IDS_INITIALIZE_QUESTION));
    EXPECT_EQ(ui.progressText, Text(resources::IDS_INITIALIZING));
    EXPECT_EQ(ui.progressRange, 5);
    EXPECT_EQ(ui.opens, 1);
    EXPECT_EQ(ui.steps, 2);
    EXPECT_EQ(ui.closes, 1);
    for (int item = 0; item < View().ItemCount(); ++item) {
        ASSERT_EQ(ItemColour(item), QColor(0, 0, 0)) << item;
        ASSERT_EQ(GeneralOfItem(item).CurrentFace(), GeneralOfItem(item).DefaultFace());
    }
    EXPECT_EQ(ItemText(3).toStdWString(), GeneralOfItem(3).Name() + L"(變更)");
    EXPECT_EQ(ItemText(7).toStdWString(), GeneralOfItem(7).Name());
    EXPECT_TRUE(Command(app::CMainFrame::kSave)->isEnabled());
    EXPECT_FALSE(Command(app::CMainFrame::kInitializeAll)->isEnabled());
    EXPECT_EQ(frame->windowTitle(), app::CMainFrame::Title(true));
    EXPECT_EQ(View().SelectedItem(), 0);
    EXPECT_EQ(frame->PreviewBar().ShownName().toStdWString(), GeneralOfItem(0).Name());
    // The fixed generals keep their faces.
    for (int i = 0; i < Generals().count(); ++i) {
        const roster::bushou& general = *Generals().at(i);
        if (IsFixed(general)) {
            EXPECT_EQ(general.ShownFaceNumber(), roster::FixedFaceOf(general.Code()));
        }
    }
}

}  // namespace
}  // namespace mainwindow_test

namespace mainwindow_test {
namespace {

TEST_F(MainWindowCommands, GreyedCommandsStillShowTheirPrompt) {
    frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    QAction* save = Command(app::CMainFrame::kSave);
    ASSERT_FALSE(save->isEnabled());
    QMenuBar* bar = frame->menuBar();
    QTest::mouseMove(bar, bar->actionGeometry(save).center());
    QCoreApplication::processEvents();
    EXPECT_EQ(frame->statusBar()->currentMessage(), save->statusTip());
    EXPECT_FALSE(save->statusTip().isEmpty());
}

}  // namespace
}  // namespace mainwindow_test
