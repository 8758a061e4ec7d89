#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "document/app_settings.h"
#include "platform/platform.h"

namespace kaocg_tool {

// The installed game of a Wine prefix (or of Windows itself), as the editor's start-up finds it.
struct InstalledGame {
    std::unique_ptr<platform::Platform> platform;
    document::AppSettings settings;
};

// The PREFIX argument that names the running Windows system in the Windows build.
inline constexpr std::string_view kThisSystem = "-";

// The system that a PREFIX argument names. On Linux a Wine prefix folder; on Windows "-",
// the running system itself. Throws ToolError when there is none such.
std::unique_ptr<platform::Platform> OpenPlatform(const std::string& prefix);

// Finds the edition and the stock and edit data folders the way start-up does, without its
// other checks and without creating anything. Throws ToolError when the prefix is missing or
// has no edition of the game installed.
InstalledGame OpenInstalledGame(const std::string& prefix);

}  // namespace kaocg_tool
