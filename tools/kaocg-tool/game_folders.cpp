#include "tools/kaocg-tool/game_folders.h"

#include <filesystem>

#include "document/game_environment.h"
#include "tools/kaocg-tool/tool_error.h"

namespace kaocg_tool {

std::unique_ptr<platform::Platform> OpenPlatform(const std::string& prefix) {
#ifdef _WIN32
    if (prefix != kThisSystem) {
        Fail(prefix + ": on Windows the game is that of this system; give " +
             std::string(kThisSystem) + " instead of a Wine prefix");
    }
    return platform::CreateWin32Platform();
#else
    std::error_code code;
    if (!std::filesystem::is_directory(prefix, code)) {
        Fail(prefix + ": no such Wine prefix folder");
    }
    return platform::CreateWinePlatform(prefix);
#endif
}

InstalledGame OpenInstalledGame(const std::string& prefix) {
    InstalledGame game;
    game.platform = OpenPlatform(prefix);
    document::AppSettings& settings = game.settings;
    const platform::Registry& registry = game.platform->GetRegistry();
    settings.edition = game::DetectEdition(registry);
    if (settings.edition < 0) {
        Fail(prefix + ": no edition of the game is installed");
    }
    settings.installFolder = game::ReadInstallFolder(registry, settings.edition == 1);
    if (settings.installFolder.empty()) {
        Fail(prefix + ": the game's install folder is not in the registry");
    }
    settings.stockDataFolder = settings.installFolder + L"grp\\";
    const std::wstring documents = game.platform->GetFileSystem().DocumentsFolder();
    if (documents.empty()) {
        Fail(prefix + ": no documents folder");
    }
    settings.editDataFolder = documents + std::wstring(document::kEditDataFolderTail);
    return game;
}

}  // namespace kaocg_tool
