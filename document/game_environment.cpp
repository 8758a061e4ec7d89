#include "document/game_environment.h"

#include <array>

namespace game {
namespace {

constexpr std::size_t kMaxPath = 260;
constexpr int kFirstUpdatedYear = 2011;

std::wstring EditionKey(bool zv) {
    return std::wstring(zv ? kZVEditionKey : kBaseEditionKey);
}

}  // namespace

std::wstring_view GameExecutable(bool zv) {
    return zv ? L"QRVN06ZV.exe" : L"QRVN06.EXE";
}

int DetectEdition(const platform::Registry& registry) {
    int edition = -1;
    if (registry.KeyExists(kBaseEditionKey)) {
        edition = 0;
    }
    if (registry.KeyExists(kZVEditionKey)) {
        edition = 1;
    }
    return edition;
}

std::wstring ReadInstallFolder(const platform::Registry& registry, bool zv) {
    std::wstring folder =
        registry.ReadString(EditionKey(zv) + L"\\Install", L"InstallInfo").value_or(L"");
    // The game's installer reserves 260 characters; the text ends at its terminator.
    folder = folder.substr(0, folder.find(L'\0'));
    return folder.size() < kMaxPath ? folder : folder.substr(0, kMaxPath - 1);
}

std::optional<std::uint32_t> ReadPatchLevel(const platform::Registry& registry, bool zv) {
    const std::uint32_t level = registry.ReadDword(EditionKey(zv) + L"\\PL", L"1").value_or(0);
    if (level == 0) {
        return std::nullopt;
    }
    return level;
}

bool IsGameUpdated(platform::Platform& platform, int edition) {
    const bool zv = edition == 1;
    const auto level = ReadPatchLevel(platform.GetRegistry(), zv);
    if (!level || *level < 2) {
        return false;
    }
    const std::wstring folder = ReadInstallFolder(platform.GetRegistry(), zv);
    if (folder.empty()) {
        return false;
    }
    const auto time =
        platform.GetFileSystem().LastWriteTime(folder + std::wstring(GameExecutable(zv)));
    return time && time->year >= kFirstUpdatedYear;
}

bool IsGameRunning(platform::Processes& processes) {
    return FindRunningGame(processes).has_value();
}

// The mutex is only asked about, never taken: taking it, even for a moment, made every other
// process of the user that looked at the same moment (the next editor starting, the tool)
// find it held and report the game as running.
std::optional<platform::ProcessInfo> FindRunningGame(platform::Processes& processes) {
    if (auto holder = processes.MutexHolder(kGameMutex)) {
        return holder;
    }
    const std::array<std::wstring_view, 2> executables{GameExecutable(false), GameExecutable(true)};
    return processes.FindProgram(executables);
}

std::wstring RunningGameNote(const platform::ProcessInfo& found) {
    std::wstring what = found.program.empty() ? std::wstring(kGameMutex) : found.program;
    if (found.pid > 0) {
        what += L"，PID " + std::to_wstring(found.pid);
    }
    return L"\n（偵測到：" + what + L"）";
}

void CreateFolderPath(platform::FileSystem& files, std::wstring_view path) {
    if (path.size() > kMaxPath) {
        return;
    }
    for (std::size_t at = path.find(L'\\'); at != std::wstring_view::npos;
         at = path.find(L'\\', at + 1)) {
        const std::wstring_view folder = path.substr(0, at);
        if (folder.empty() || files.Exists(folder)) {
            continue;
        }
        if (!files.CreateDirectory(folder)) {
            return;
        }
    }
}

std::uint32_t ReadConfigFlag(const platform::Registry& registry, std::wstring_view name) {
    return registry.ReadDword(kConfigsKey, name).value_or(0);
}

bool WriteConfigFlag(platform::Registry& registry, std::wstring_view name, std::uint32_t value) {
    return registry.WriteDword(kConfigsKey, name, value);
}

}  // namespace game
