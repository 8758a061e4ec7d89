#pragma once

#include <ctime>
#include <string>

namespace kaocg_demo {

enum class DemoEditions { kBase, kZV, kBoth };

struct DemoInstallOptions {
    std::string prefix;  // the Wine prefix folder, created when missing
    DemoEditions editions = DemoEditions::kZV;
    bool blank = false;    // transparent black stock faces instead of drawn ones
    std::string userName;  // the Windows user; empty: $USER, or "player" when unusable
};

// The game's executable of an edition; its last-write year tells whether the game is updated.
const char* GameExecutableName(bool zv);
// The install folder that the registry names, as a Windows path with a trailing backslash.
std::wstring InstallFolderOf(bool zv);
// The same folder inside a prefix.
std::string InstallFolderIn(const std::string& prefix, bool zv);
// The executables are dated in 2012, after the update that the editor asks for.
constexpr std::time_t kExecutableTime = 1339761600;  // 2012-06-15 12:00:00 UTC
// The file that marks a prefix as written here, so that writing it again may replace files.
constexpr const char* kDemoMarker = ".kaocg-demo-install";

// The user name for the prefix: name when it can be a folder name, else $USER when it can,
// else "player".
std::string DemoUserName(const std::string& name);

// Writes a Wine prefix with the game's registry keys, install folders, executables, stock
// image archives and edit-archive templates of the chosen editions. A prefix that holds
// anything but an earlier demo install is refused, so a real Wine prefix is never touched.
bool WriteDemoInstall(const DemoInstallOptions& options, std::string& error);

}  // namespace kaocg_demo
