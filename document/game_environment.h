#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace game {

// Registry keys of the installed game, below HKEY_CURRENT_USER.
inline constexpr std::wstring_view kBaseEditionKey = L"software\\TAVU\\Quorvane06 Tc";
inline constexpr std::wstring_view kZVEditionKey = L"software\\TAVU\\Quorvane06ZV Tc";
// The editor's own flags live under the ZV key for both editions.
inline constexpr std::wstring_view kConfigsKey = L"Software\\TAVU\\Quorvane06ZV Tc\\Configs";
inline constexpr std::wstring_view kGuideFlagRegister = L"GUIDE_MSG_0";
inline constexpr std::wstring_view kGuideFlagRegistered = L"GUIDE_MSG_1";

// Named mutexes: the editor's own and the game's.
inline constexpr std::wstring_view kEditorMutex = L"TAVU_QRVN06_KAOCG_MUTEX";
inline constexpr std::wstring_view kGameMutex = L"TAVU_QUORVANE_06_MUTEX";

// The game's executable of each edition.
std::wstring_view GameExecutable(bool zv);

// -1 when no edition is installed, 0 for the base edition, 1 for the ZV edition (which wins
// when both are installed).
int DetectEdition(const platform::Registry& registry);
// The install folder as the registry holds it; empty when missing.
std::wstring ReadInstallFolder(const platform::Registry& registry, bool zv);
// The game's update level; nothing when it is missing or 0.
std::optional<std::uint32_t> ReadPatchLevel(const platform::Registry& registry, bool zv);
// Update level 2 or more, an install folder, and an executable written after 2010.
bool IsGameUpdated(platform::Platform& platform, int edition);
// The game holds its mutex or one of its executables runs.
bool IsGameRunning(platform::Processes& processes);
// What made the game count as running: the holder of its mutex, else a process of one of its
// executables; nothing when it does not run.
std::optional<platform::ProcessInfo> FindRunningGame(platform::Processes& processes);
// A line to put below a message about the running game, naming what was found.
std::wstring RunningGameNote(const platform::ProcessInfo& found);

// Creates every missing folder along a Windows path (up to its last backslash); paths longer
// than 260 characters are left alone.
void CreateFolderPath(platform::FileSystem& files, std::wstring_view path);

// The editor's don't-show-again flags; a missing Configs key reads 0 and is never created.
std::uint32_t ReadConfigFlag(const platform::Registry& registry, std::wstring_view name);
bool WriteConfigFlag(platform::Registry& registry, std::wstring_view name, std::uint32_t value);

}  // namespace game
