#include "app/startup_checks.h"

#include "document/app_settings.h"
#include "document/game_environment.h"
#include "resources/string_table.h"

namespace app {
namespace {

constexpr std::wstring_view kAnotherUser = L"其他使用者正在使用此應用程式。";
constexpr std::wstring_view kUpdateBase = L"請先套用「Quorvane」的更新程式後再重新啟動";
constexpr std::wstring_view kUpdateZV = L"請先套用「Quorvane Vorkasten」的更新程式後再重新啟動";

StartupResult Failure(int stringId) {
    StartupResult result;
    result.stringId = stringId;
    result.message = std::wstring(resources::LoadString(stringId));
    return result;
}

StartupResult Failure(std::wstring_view literal) {
    StartupResult result;
    result.message = std::wstring(literal);
    return result;
}

}  // namespace

bool IsDisplayUsable(const DisplayInfo& display) {
    const bool paletted = display.bitsPerPixel >= 1 && display.bitsPerPixel <= 8;
    return !paletted && display.width >= 800 && display.height >= 600;
}

std::wstring InstanceLockPath(platform::FileSystem& files) {
    const std::wstring documents = files.DocumentsFolder();
    if (documents.empty()) {
        return {};
    }
    return documents + std::wstring(document::kEditDataFolderTail) + L"kaocg-editor.lock";
}

StartupResult RunStartupChecks(platform::Platform& platform, const DisplayInfo& display) {
    // One editor per installation: the lock lives with the files it guards, so that the
    // editors of two installations run side by side and nothing else (such as the runtime
    // folder of the session) decides which editors meet.
    platform::FileSystem& files = platform.GetFileSystem();
    const std::wstring lockPath = InstanceLockPath(files);
    if (lockPath.empty()) {
        return Failure(resources::IDS_INIT_INSTANCE_FAILED);  // no documents folder to work in
    }
    game::CreateFolderPath(files, lockPath);
    auto instanceMutex = files.HoldLock(lockPath);
    if (!instanceMutex) {
        StartupResult result = Failure(kAnotherUser);
        result.outcome = StartupOutcome::kAlreadyRunning;
        result.instanceLockPath = lockPath;
        return result;
    }
    if (game::IsGameRunning(platform.GetProcesses())) {
        return Failure(resources::IDS_QUIT_GAME_TO_START);
    }
    if (!IsDisplayUsable(display)) {
        return Failure(resources::IDS_DISPLAY_TOO_SMALL);
    }
    StartupResult result;
    AppSettings& settings = result.settings;
    settings.edition = game::DetectEdition(platform.GetRegistry());
    if (settings.edition < 0) {
        return Failure(resources::IDS_GAME_NOT_INSTALLED);
    }
    const bool zv = settings.edition == 1;
    settings.installFolder = game::ReadInstallFolder(platform.GetRegistry(), zv);
    if (settings.installFolder.empty()) {
        return Failure(resources::IDS_GAME_NOT_INSTALLED);
    }
    if (!game::IsGameUpdated(platform, settings.edition)) {
        return Failure(zv ? kUpdateZV : kUpdateBase);
    }
    const std::wstring documents = files.DocumentsFolder();
    settings.stockDataFolder = settings.installFolder + L"grp\\";
    settings.editDataFolder = documents + std::wstring(document::kEditDataFolderTail);
    if (!files.Exists(settings.editDataFolder)) {
        game::CreateFolderPath(files, settings.editDataFolder);
    }
    result.outcome = StartupOutcome::kReady;
    result.instanceMutex = std::move(instanceMutex);
    result.instanceLockPath = lockPath;
    return result;
}

}  // namespace app
