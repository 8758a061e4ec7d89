// Whole starts of the editor on a blank stand-in installation: the first run and a later one,
// and what a second start does while the first is running.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QTest>
#include <filesystem>

#include "app/editor_app.h"
#include "app/instance_channel.h"
#include "app/main_frame.h"
#include "dead_socket.h"
#include "document/game_environment.h"
#include "editor_app_fixture.h"
#include "support/demo_prefix.h"
#include "ui/kao_cg_edit_view.h"

namespace app {
namespace {

namespace fs = std::filesystem;
using testsupport::EditorStart;

const std::wstring kAnotherUser = L"其他使用者正在使用此應用程式。";

class EditorRuns : public ::testing::Test {
protected:
    fs::path EditArchive(const wchar_t* name) {
        return demo.Host(demo.Settings().editDataFolder + L"GRP\\" + name);
    }

    testsupport::PrivateRuntimeFolder runtime;
    testsupport::DemoPrefix demo{true};
};

struct FileIdentity {
    ino_t inode = 0;
    timespec modified{};
};

FileIdentity IdentityOf(const fs::path& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return {info.st_ino, info.st_mtim};
}

TEST_F(EditorRuns, FirstRunCopiesTheEditArchivesOnceAndBothRunsFillTheList) {
    const wchar_t* const names[] = {L"EDIT_KAO_L.q06", L"EDIT_KAO_M.q06", L"EDIT_KAO_S.q06"};
    for (const wchar_t* name : names) {
        ASSERT_FALSE(fs::exists(EditArchive(name)));
    }
    std::vector<FileIdentity> copies;
    {
        EditorStart first(demo.Path());
        ASSERT_TRUE(first.app.InitInstance());
        EXPECT_EQ(first.app.ExitCode(), 0);
        EXPECT_TRUE(first.messages.shown.empty());
        CMainFrame* frame = first.app.MainFrame();
        ASSERT_NE(frame, nullptr);
        EXPECT_TRUE(frame->isVisible());
        EXPECT_EQ(frame->windowTitle(), QStringLiteral("『Quorvane』 容貌變更編輯器"));
        EXPECT_GT(frame->View().ItemCount(), 0);
        EXPECT_EQ(first.app.Settings().edition, 1);
        for (const wchar_t* name : names) {
            ASSERT_TRUE(fs::exists(EditArchive(name)));
            copies.push_back(IdentityOf(EditArchive(name)));
        }
    }
    EditorStart second(demo.Path());
    ASSERT_TRUE(second.app.InitInstance());
    EXPECT_TRUE(second.messages.shown.empty());
    EXPECT_GT(second.app.MainFrame()->View().ItemCount(), 0);
    for (std::size_t i = 0; i < copies.size(); ++i) {
        const FileIdentity now = IdentityOf(EditArchive(names[i]));
        EXPECT_EQ(now.inode, copies[i].inode) << "copied again";
        EXPECT_EQ(now.modified.tv_sec, copies[i].modified.tv_sec);
        EXPECT_EQ(now.modified.tv_nsec, copies[i].modified.tv_nsec);
    }
}

// Loading fails after the window was shown: start-up ends with 1 and the loading's message.
TEST_F(EditorRuns, FailedLoadEndsStartUpWithExitCodeOne) {
    fs::remove(demo.Host(demo.Settings().stockDataFolder + L"EDIT_KAO_M.Q06"));
    EditorStart start(demo.Path());
    EXPECT_FALSE(start.app.InitInstance());
    EXPECT_EQ(start.app.ExitCode(), 1);
    ASSERT_EQ(start.messages.shown.size(), 1u);
    EXPECT_EQ(start.messages.shown.front(), L"無法搜尋到『Quorvane』的容貌資料。");
}

class SecondStart : public EditorRuns {
protected:
    void SetUp() override {
        ASSERT_TRUE(first.app.InitInstance());
        first.app.MainFrame()->showMinimized();
        ASSERT_TRUE(first.app.MainFrame()->isMinimized());
    }

    // The second start's result, after which the first has had time to answer.
    void ExpectHandedOver() {
        EditorStart second(demo.Path());
        EXPECT_FALSE(second.app.InitInstance());
        EXPECT_EQ(second.app.ExitCode(), 0);
        EXPECT_TRUE(second.messages.shown.empty());
        EXPECT_EQ(second.app.MainFrame(), nullptr);
        QTRY_VERIFY_WITH_TIMEOUT(!first.app.MainFrame()->isMinimized(), 3000);
        EXPECT_TRUE(first.app.MainFrame()->isVisible());
    }

    EditorStart first{demo.Path()};
};

TEST_F(SecondStart, AsksTheRunningEditorToComeForwardAndEndsQuietly) {
    ExpectHandedOver();
}

TEST_F(SecondStart, FindsTheRunningEditorWhileItsFacesAreUnsaved) {
    roster::bushou_manager* generals = first.app.Document()->GeneralManager();
    ASSERT_NE(generals, nullptr);
    roster::bushou* general = generals->at(0);
    general->SetCurrentFace(general->CurrentFace() == 1700 ? 1701 : 1700);
    first.app.MainFrame()->UpdateFrameState();
    ASSERT_TRUE(first.app.MainFrame()->windowTitle().endsWith(QStringLiteral("(有變更)")));
    ExpectHandedOver();
}

// The lock and the socket belong to the installation: a start from another session (another
// runtime folder) still finds the running editor and hands over.
TEST_F(SecondStart, FromAnotherSessionStillHandsOver) {
    testsupport::PrivateRuntimeFolder otherSession;
    ExpectHandedOver();
}

// Editors of two installations run side by side.
TEST_F(EditorRuns, TwoInstallationsEachHaveTheirOwnEditor) {
    testsupport::DemoPrefix other{true};
    EditorStart first(demo.Path());
    ASSERT_TRUE(first.app.InitInstance());
    EditorStart second(other.Path());
    EXPECT_TRUE(second.app.InitInstance());
    EXPECT_TRUE(second.messages.shown.empty());
}

TEST_F(SecondStart, IsRaisedAgainEachTime) {
    ExpectHandedOver();
    first.app.MainFrame()->showMinimized();
    ExpectHandedOver();
}

// The mutex is held by something that does not answer (an editor that is still starting, or
// stuck): the second start cannot hand over and says that the editor is in use.
TEST_F(EditorRuns, SecondStartThatReachesNobodyShowsTheMessage) {
    auto holder = platform::CreateWinePlatform(demo.Path());
    const std::wstring lock = InstanceLockPath(holder->GetFileSystem());
    game::CreateFolderPath(holder->GetFileSystem(), lock);
    auto mutex = holder->GetFileSystem().HoldLock(lock);
    ASSERT_TRUE(mutex);
    EditorStart second(demo.Path());
    EXPECT_FALSE(second.app.InitInstance());
    EXPECT_EQ(second.app.ExitCode(), 1);
    ASSERT_EQ(second.messages.shown.size(), 1u);
    EXPECT_EQ(second.messages.shown.front(), kAnotherUser);
}

// A crashed editor leaves its socket file; the kernel has dropped its mutex, so the next
// editor starts, takes the socket over, and a later start reaches it.
TEST_F(EditorRuns, SocketLeftByACrashedEditorIsTakenOver) {
    ASSERT_TRUE(testsupport::LeaveDeadSocket(
        InstanceSocketPath(demo.Files().HostPath(InstanceLockPath(demo.Files()))).toStdString()));

    EditorStart first(demo.Path());
    ASSERT_TRUE(first.app.InitInstance());
    EditorStart second(demo.Path());
    EXPECT_FALSE(second.app.InitInstance());
    EXPECT_EQ(second.app.ExitCode(), 0);
    EXPECT_TRUE(second.messages.shown.empty());
}

}  // namespace
}  // namespace app
