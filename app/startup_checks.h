#pragma once

#include <memory>
#include <string>

#include "document/app_settings.h"
#include "platform/platform.h"

namespace app {

using AppSettings = document::AppSettings;

struct DisplayInfo {
    int bitsPerPixel = 0;
    int width = 0;
    int height = 0;
};

enum class StartupOutcome {
    kReady,           // every check passed
    kAlreadyRunning,  // another editor holds the mutex: raise it, or show the message
    kFailed,          // show the message and end
};

struct StartupResult {
    StartupOutcome outcome = StartupOutcome::kFailed;
    int stringId = 0;      // the message's string id, 0 for a literal text
    std::wstring message;  // the text to show
    AppSettings settings;
    // The editor's own mutex, held for the life of the process once the checks pass.
    std::unique_ptr<platform::NamedMutex> instanceMutex;
};

// The start-up sequence: single instance, game not running, display, installed edition,
// install folder, game updated, data folders (creating the edit data folder when missing).
StartupResult RunStartupChecks(platform::Platform& platform, const DisplayInfo& display);

bool IsDisplayUsable(const DisplayInfo& display);

}  // namespace app
