// Start-up failures through the application object: one message each, in the order of the
// checks, and no window.
#include <gtest/gtest.h>

#include <string>

#include "app/editor_app.h"
#include "document/game_environment.h"
#include "editor_app_fixture.h"
#include "support/temp_prefix.h"

namespace app {
namespace {

using testsupport::EditorStart;

const std::string kBaseKey = "Software\\\\TAVU\\\\Quorvane06 Tc";
const std::string kZVKey = "Software\\\\TAVU\\\\Quorvane06ZV Tc";
const std::wstring kQuitGame = L"請結束『Quorvane』後，再重新啟動。";
const std::wstring kNotInstalled = L"尚未安裝『Quorvane』。";
const std::wstring kUpdateBase = L"請先套用「Quorvane」的更新程式後再重新啟動";
const std::wstring kUpdateZV = L"請先套用「Quorvane Vorkasten」的更新程式後再重新啟動";

class EditorStartupFailures : public ::testing::Test {
protected:
    void SetUp() override {
        prefix.Key(
            "Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Explorer\\\\Shell Folders",
            "\"Personal\"=\"C:\\\\users\\\\player\\\\Documents\"\n");
    }

    void Install(const std::string& key, const std::string& folder, const std::string& exe,
                 int level, int year) {
        prefix.Key(key + "\\\\Install", "\"InstallInfo\"=\"C:\\\\Games\\\\" + folder + "\\\\\"\n");
        if (level > 0) {
            prefix.Key(key + "\\\\PL", "\"1\"=dword:0000000" + std::to_string(level) + "\n");
        }
        prefix.WriteFile("Games/" + folder + "/" + exe, "MZ", year);
    }

    // The one message of a failed start; the start must fail with exit code 1 and no window.
    std::wstring FailedStartMessage() {
        prefix.WriteRegistry();
        EditorStart start(prefix.Path());
        EXPECT_FALSE(start.app.InitInstance());
        EXPECT_EQ(start.app.ExitCode(), 1);
        EXPECT_EQ(start.app.MainFrame(), nullptr);
        EXPECT_EQ(start.app.Document(), nullptr);
        EXPECT_EQ(start.messages.shown.size(), 1u);
        return start.messages.shown.empty() ? std::wstring() : start.messages.shown.front();
    }

    testsupport::PrivateRuntimeFolder runtime;
    testsupport::TempPrefix prefix;
};

TEST_F(EditorStartupFailures, GameRunningComesBeforeEveryInstallationCheck) {
    // Nothing is installed either, and yet the game is what the user hears about.
    auto game = platform::CreateWinePlatform(prefix.Path());
    auto gameMutex = game->GetProcesses().OpenGlobalMutex(game::kGameMutex);
    ASSERT_TRUE(gameMutex);
    EXPECT_EQ(FailedStartMessage(), kQuitGame);
}

TEST_F(EditorStartupFailures, NoEditionInstalled) {
    EXPECT_EQ(FailedStartMessage(), kNotInstalled);
}

TEST_F(EditorStartupFailures, UpdateLevelBelowTwo) {
    Install(kZVKey, "ZV", "QRVN06ZV.exe", 1, 2012);
    EXPECT_EQ(FailedStartMessage(), kUpdateZV);
}

TEST_F(EditorStartupFailures, ExecutableOf2010) {
    Install(kBaseKey, "Base", "QRVN06.EXE", 2, 2010);
    EXPECT_EQ(FailedStartMessage(), kUpdateBase);
}

// A failed start must not keep the editor's name: the next start, once the cause is gone,
// runs rather than looking for a running editor.
TEST_F(EditorStartupFailures, FailedStartLeavesTheEditorMutexFree) {
    Install(kBaseKey, "Base", "QRVN06.EXE", 2, 2010);
    EXPECT_EQ(FailedStartMessage(), kUpdateBase);
    auto probe = platform::CreateWinePlatform(prefix.Path());
    EXPECT_TRUE(probe->GetProcesses().OpenGlobalMutex(game::kEditorMutex));
}

}  // namespace
}  // namespace app
