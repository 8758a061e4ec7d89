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
    // The lock file of the installation, whose holder answers later starts.
    std::wstring instanceLockPath;
};

// The editor's lock file of the installation: in the edit data folder; empty without a
// documents folder.
std::wstring InstanceLockPath(platform::FileSystem& files);

// The start-up sequence: single instance (per installation), game not running, display, installed
// edition, install folder, game updated, data folders (creating the edit data folder when missing).
StartupResult RunStartupChecks(platform::Platform& platform, const DisplayInfo& display);

bool IsDisplayUsable(const DisplayInfo& display);

}  // namespace app
