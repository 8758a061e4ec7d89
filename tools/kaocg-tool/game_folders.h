#pragma once

#include <memory>
#include <string>

#include "document/app_settings.h"
#include "platform/platform.h"

namespace kaocg_tool {

// The installed game of a Wine prefix, as the editor's start-up finds it.
struct InstalledGame {
    std::unique_ptr<platform::Platform> platform;
    document::AppSettings settings;
};

// Finds the edition and the stock and edit data folders the way start-up does, without its
// other checks and without creating anything. Throws ToolError when the prefix is missing or
// has no edition of the game installed.
InstalledGame OpenInstalledGame(const std::string& prefix);

}  // namespace kaocg_tool
