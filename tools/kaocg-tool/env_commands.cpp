#include <array>
#include <iostream>
#include <memory>
#include <string>
#include <string_view>

#include "document/app_settings.h"
#include "document/game_environment.h"
#include "kaocg/kao_file_path.h"
#include "lumo/io/utf.h"
#include "platform/platform.h"
#include "tools/kaocg-tool/args.h"
#include "tools/kaocg-tool/command.h"
#include "tools/kaocg-tool/game_folders.h"
#include "tools/kaocg-tool/tool_error.h"

namespace kaocg_tool {
namespace {

// The editor keeps its files below the documents folder under the base edition's key name,
// for both editions.
// The templates that the editor copies into its edit data folder on the first run.
constexpr std::array<std::wstring_view, 3> kTemplates{L"EDIT_KAO_L.Q06", L"EDIT_KAO_M.Q06",
                                                      L"EDIT_KAO_S.Q06"};

// What the editor's start-up finds, without its side effects (no folder is created).
struct Findings : document::AppSettings {
    std::optional<std::uint32_t> updateLevel;
    std::optional<platform::LocalTime> executableTime;
    bool updated = false;
};

std::string DefaultPrefix() {
#ifdef _WIN32
    return std::string(kThisSystem);
#else
    return platform::DefaultWinePrefix();
#endif
}

std::string Utf8(std::wstring_view text) {
    return lumo::WideToUtf8(text);
}

Findings Examine(platform::Platform& platform) {
    Findings found;
    platform::Registry& registry = platform.GetRegistry();
    found.edition = game::DetectEdition(registry);
    if (found.edition < 0) {
        return found;
    }
    const bool zv = found.edition == 1;
    found.installFolder = game::ReadInstallFolder(registry, zv);
    found.updateLevel = game::ReadPatchLevel(registry, zv);
    if (!found.installFolder.empty()) {
        found.executableTime = platform.GetFileSystem().LastWriteTime(
            found.installFolder + std::wstring(game::GameExecutable(zv)));
        found.stockDataFolder = found.installFolder + L"grp\\";
    }
    found.updated = game::IsGameUpdated(platform, found.edition);
    const std::wstring documents = platform.GetFileSystem().DocumentsFolder();
    if (!documents.empty()) {
        found.editDataFolder = documents + std::wstring(document::kEditDataFolderTail);
    }
    return found;
}

void PrintFolder(platform::FileSystem& files, std::string_view label, const std::wstring& path) {
    std::cout << label << ": " << (path.empty() ? "-" : Utf8(path));
    if (!path.empty()) {
        std::cout << (files.IsDirectory(path) ? "" : " (missing)") << " -> "
                  << files.HostPath(path);
    }
    std::cout << '\n';
}

void PrintFile(platform::FileSystem& files, std::string_view role, const std::wstring& path) {
    std::cout << "  " << role << std::string(10 - role.size(), ' ')
              << (files.Exists(path) ? "present" : "missing") << "  " << Utf8(path) << '\n';
}

// The editor's files by kind, then the templates of its first run.
void PrintArchives(platform::FileSystem& files, const Findings& found) {
    static constexpr std::array<std::string_view, 8> kRoles{"stock", "stock", "stock", "edit",
                                                            "edit",  "edit",  "ids",   "ids"};
    std::cout << "files:\n";
    for (int kind = kaocg_func::kKaoStockLarge; kind <= kaocg_func::kKaoIdZV; ++kind) {
        std::wstring path;
        if (kaocg_func::BuildKaoFilePath(kind, found.editDataFolder, found.stockDataFolder, path)) {
            PrintFile(files, kRoles[static_cast<std::size_t>(kind)], path);
        }
    }
    for (const std::wstring_view name : kTemplates) {
        PrintFile(files, "template", found.stockDataFolder + std::wstring(name));
    }
}

void PrintFindings(platform::Platform& platform, const Findings& found) {
    platform::FileSystem& files = platform.GetFileSystem();
    static constexpr std::array<std::string_view, 3> kEditions{"none", "base", "zv"};
    std::cout << "edition: " << kEditions[static_cast<std::size_t>(found.edition + 1)] << '\n';
    PrintFolder(files, "install folder", found.installFolder);
    std::cout << "update level: "
              << (found.updateLevel ? std::to_string(*found.updateLevel) : std::string("-"))
              << '\n';
    std::cout << "executable year: "
              << (found.executableTime ? std::to_string(found.executableTime->year)
                                       : std::string("- (no executable)"))
              << '\n';
    std::cout << "game updated: " << (found.updated ? "yes" : "no") << '\n';
    PrintFolder(files, "stock data folder", found.stockDataFolder);
    PrintFolder(files, "edit data folder", found.editDataFolder);
    if (found.edition >= 0) {
        PrintArchives(files, found);
    }
    std::cout.flush();
}

// What made the game count as running, as the editor's message names it.
void PrintRunningGame(platform::Processes& processes) {
    const auto game = game::FindRunningGame(processes);
    std::cout << "game running: ";
    if (!game) {
        std::cout << "no\n";
    } else {
        std::cout << "yes ("
                  << (game->program.empty() ? lumo::WideToUtf8(game::kGameMutex)
                                            : lumo::WideToUtf8(game->program))
                  << ", pid " << game->pid << ")\n";
    }
    std::cout.flush();
}

// The first start-up check that the environment fails, or nothing.
std::optional<std::string> Obstacle(const Findings& found) {
    if (found.edition < 0 || found.installFolder.empty()) {
        return "no edition of the game is installed";
    }
    if (!found.updated) {
        return "the game is not updated (update level 2 and an executable after 2010 needed)";
    }
    if (found.editDataFolder.empty()) {
        return "no documents folder";
    }
    return std::nullopt;
}

int RunEnv(const Arguments& args) {
    const ParsedArgs parsed = ParseArgs(args, {}, std::min<std::size_t>(args.size(), 1));
    const std::string prefix = parsed.positional.empty() ? DefaultPrefix() : parsed.positional[0];
    const std::unique_ptr<platform::Platform> platform = OpenPlatform(prefix);
    std::cout << "prefix: " << prefix << '\n';
    const Findings found = Examine(*platform);
    PrintFindings(*platform, found);
    PrintRunningGame(platform->GetProcesses());
    if (const auto obstacle = Obstacle(found)) {
        Fail(prefix + ": the editor would not start: " + *obstacle);
    }
    return kExitSuccess;
}

}  // namespace

std::span<const Command> EnvCommands() {
    static constexpr std::array<Command, 1> kCommands{{
        {"env", "[PREFIX]", &RunEnv},
    }};
    return kCommands;
}

}  // namespace kaocg_tool
