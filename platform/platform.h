#pragma once

#include <memory>
#include <string>

#include "platform/file_system.h"
#include "platform/process.h"
#include "platform/registry.h"

namespace platform {

// Everything the editor asks of the operating system.
class Platform {
public:
    virtual ~Platform() = default;
    virtual Registry& GetRegistry() = 0;
    virtual FileSystem& GetFileSystem() = 0;
    virtual Processes& GetProcesses() = 0;
};

#ifdef _WIN32
// The running Windows system itself: its registry, files, mutexes and processes.
std::unique_ptr<Platform> CreateWin32Platform();
#else
// The Wine prefix of the player: $WINEPREFIX, else ~/.wine.
std::string DefaultWinePrefix();
// The platform of a game installed in a Wine prefix (a folder with user.reg and dosdevices/).
std::unique_ptr<Platform> CreateWinePlatform(const std::string& prefix);
#endif

}  // namespace platform
