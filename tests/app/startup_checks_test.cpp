#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "app/startup_checks.h"
#include "document/game_environment.h"
#include "resources/string_table.h"
#include "support/temp_prefix.h"

namespace app {
namespace {

namespace fs = std::filesystem;
using testsupport::TempPrefix;

const std::string kBaseKey = "Software\\\\TAVU\\\\Quorvane06 Tc";
const std::string kZVKey = "Software\\\\TAVU\\\\Quorvane06ZV Tc";
const DisplayInfo kGoodDisplay{32, 1920, 1080};

class StartupChecks : public ::testing::Test {
protected:
    void SetUp() override {
        // Named mutexes live in the runtime folder; keep this test's apart from others'.
        setenv("XDG_RUNTIME_DIR", prefix.Path().c_str(), 1);
        prefix.Key(
            "Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Explorer\\\\Shell Folders",
            "\"Personal\"=\"C:\\\\users\\\\player\\\\Documents\"\n");
    }

    // An installed edition: install folder, update level and executable of a given year.
    void Install(const std::string& key, const std::string& folder, const std::string& exe,
                 int level = 2, int year = 2012) {
        prefix.Key(key + "\\\\Install", "\"InstallInfo\"=\"C:\\\\Games\\\\" + folder + "\\\\\"\n");
        if (level > 0) {
            prefix.Key(key + "\\\\PL", "\"1\"=dword:0000000" + std::to_string(level) + "\n");
        }
        prefix.WriteFile("Games/" + folder + "/" + exe, "MZ", year);
    }

    StartupResult Run(const DisplayInfo& display = kGoodDisplay) {
        prefix.WriteRegistry();
        platform = platform::CreateWinePlatform(prefix.Path());
        return RunStartupChecks(*platform, display);
    }

    TempPrefix prefix;
    std::unique_ptr<platform::Platform> platform;
};

TEST_F(StartupChecks, FindsTheEditionAndItsFolders) {
    Install(kBaseKey, "Base", "QRVN06.EXE");
    const StartupResult result = Run();
    ASSERT_EQ(result.outcome, StartupOutcome::kReady)
        << std::string(result.message.begin(), result.message.end());
    EXPECT_EQ(result.settings.edition, 0);
    EXPECT_EQ(result.settings.stockDataFolder, L"C:\\Games\\Base\\grp\\");
    EXPECT_EQ(result.settings.editDataFolder,
              L"C:\\users\\player\\Documents\\TAVU\\Quorvane06 Tc\\");
    // The edit data folder is made at once, with its parents.
    EXPECT_TRUE(fs::is_directory(prefix.DriveC() / "users/player/Documents/TAVU/Quorvane06 Tc"));
    EXPECT_TRUE(result.instanceMutex);
}

TEST_F(StartupChecks, TheZVEditionWinsWithItsOwnKeysAndExecutable) {
    Install(kBaseKey, "Base", "QRVN06.EXE");
    Install(kZVKey, "ZV", "qrvn06zv.EXE");  // any case on disk
    const StartupResult result = Run();
    ASSERT_EQ(result.outcome, StartupOutcome::kReady);
    EXPECT_EQ(result.settings.edition, 1);
    EXPECT_EQ(result.settings.installFolder, L"C:\\Games\\ZV\\");
}

TEST_F(StartupChecks, UpdateLevelAndExecutableYearDecideTheUpdateMessage) {
    const std::wstring zvMessage = L"請先套用「Quorvane Vorkasten」的更新程式後再重新啟動";
    {
        Install(kZVKey, "ZV", "QRVN06ZV.exe", 1);
        const StartupResult result = Run();
        EXPECT_EQ(result.outcome, StartupOutcome::kFailed);
        EXPECT_EQ(result.message, zvMessage);
    }
}

TEST_F(StartupChecks, MissingUpdateLevelIsAnUpdateMessageToo) {
    Install(kBaseKey, "Base", "QRVN06.EXE", 0);
    const StartupResult result = Run();
    EXPECT_EQ(result.stringId, 0);
    EXPECT_EQ(result.message, L"請先套用「Quorvane」的更新程式後再重新啟動");
}

TEST_F(StartupChecks, ExecutableOf2010IsNotUpdated) {
    Install(kBaseKey, "Base", "QRVN06.EXE", 2, 2010);
    EXPECT_EQ(Run().message, L"請先套用「Quorvane」的更新程式後再重新啟動");
}

TEST_F(StartupChecks, ExecutableOf2011Passes) {
    Install(kBaseKey, "Base", "QRVN06.EXE", 2, 2011);
    EXPECT_EQ(Run().outcome, StartupOutcome::kReady);
}

TEST_F(StartupChecks, NoEditionOrNoInstallFolderIsNotInstalled) {
    EXPECT_EQ(Run().stringId, resources::IDS_GAME_NOT_INSTALLED);
    prefix.Key(kZVKey + "\\\\PL", "\"1\"=dword:00000002\n");
    EXPECT_EQ(Run().stringId, resources::IDS_GAME_NOT_INSTALLED);
}

TEST_F(StartupChecks, DisplayNeedsHighColourAnd800x600) {
    EXPECT_TRUE(IsDisplayUsable({16, 800, 600}));
    EXPECT_TRUE(IsDisplayUsable({0, 800, 600}));
    EXPECT_FALSE(IsDisplayUsable({8, 1024, 768}));
    EXPECT_FALSE(IsDisplayUsable({1, 1024, 768}));
    EXPECT_FALSE(IsDisplayUsable({32, 799, 600}));
    EXPECT_FALSE(IsDisplayUsable({32, 800, 599}));
    Install(kBaseKey, "Base", "QRVN06.EXE");
    EXPECT_EQ(Run({8, 1024, 768}).stringId, resources::IDS_DISPLAY_TOO_SMALL);
}

TEST_F(StartupChecks, MutexesComeFirst) {
    prefix.WriteRegistry();
    auto platform = platform::CreateWinePlatform(prefix.Path());
    {
        auto game = platform->GetProcesses().OpenGlobalMutex(game::kGameMutex);
        ASSERT_TRUE(game);
        // Checked before the display and the registry.
        const StartupResult result = RunStartupChecks(*platform, {8, 640, 480});
        EXPECT_EQ(result.stringId, resources::IDS_QUIT_GAME_TO_START);
        EXPECT_FALSE(result.instanceMutex);
    }
    auto editor = platform->GetFileSystem().HoldLock(InstanceLockPath(platform->GetFileSystem()));
    ASSERT_TRUE(editor);
    const StartupResult second = RunStartupChecks(*platform, kGoodDisplay);
    EXPECT_EQ(second.outcome, StartupOutcome::kAlreadyRunning);
    EXPECT_EQ(second.message, L"其他使用者正在使用此應用程式。");
}

TEST_F(StartupChecks, GuideFlagsAreWrittenOnlyIntoAnExistingConfigsKey) {
    prefix.WriteRegistry();
    auto platform = platform::CreateWinePlatform(prefix.Path());
    EXPECT_FALSE(game::WriteConfigFlag(platform->GetRegistry(), game::kGuideFlagRegister, 1));
    EXPECT_EQ(game::ReadConfigFlag(platform->GetRegistry(), game::kGuideFlagRegister), 0u);

    prefix.Key(kZVKey + "\\\\Configs");
    prefix.WriteRegistry();
    platform = platform::CreateWinePlatform(prefix.Path());
    EXPECT_TRUE(game::WriteConfigFlag(platform->GetRegistry(), game::kGuideFlagRegistered, 1));
    auto reopened = platform::CreateWinePlatform(prefix.Path());
    EXPECT_EQ(game::ReadConfigFlag(reopened->GetRegistry(), game::kGuideFlagRegistered), 1u);
    EXPECT_EQ(game::ReadConfigFlag(reopened->GetRegistry(), game::kGuideFlagRegister), 0u);
}

}  // namespace
}  // namespace app
