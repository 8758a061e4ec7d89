#include "platform/platform.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

#include "platform/documents_folder.h"
#include "platform/lock_file_mutex.h"
#include "platform/session_safe_registry.h"
#include "platform/wine_file_system.h"
#include "platform/wine_paths.h"
#include "platform/wine_processes.h"
#include "platform/wine_registry.h"

namespace platform {
namespace {

class WinePlatform final : public Platform {
public:
    explicit WinePlatform(const std::string& prefix)
        : m_userReg(prefix + "/user.reg"),
          m_session(prefix),
          m_pending(DefaultPendingWritesPath(), prefix),
          m_registry(m_userReg, m_session, m_pending),
          m_files(WinePaths(prefix), m_registry, {HostUserName(), L"steamuser"}),
          m_processes(DefaultLockFolder()) {}

    Registry& GetRegistry() override { return m_registry; }
    FileSystem& GetFileSystem() override { return m_files; }
    Processes& GetProcesses() override { return m_processes; }

private:
    WineRegistry m_userReg;
    PrefixWineSession m_session;
    PendingRegistryWrites m_pending;
    SessionSafeRegistry m_registry;
    WineFileSystem m_files;
    WineProcesses m_processes;
};

std::string HomeFolder() {
    if (const char* home = std::getenv("HOME"); home != nullptr && home[0] != '\0') {
        return home;
    }
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
        found->pw_dir != nullptr) {
        return found->pw_dir;
    }
    return {};
}

}  // namespace

std::string DefaultWinePrefix() {
    if (const char* prefix = std::getenv("WINEPREFIX"); prefix != nullptr && prefix[0] != '\0') {
        return prefix;
    }
    return HomeFolder() + "/.wine";
}

std::unique_ptr<Platform> CreateWinePlatform(const std::string& prefix) {
    return std::make_unique<WinePlatform>(prefix);
}

}  // namespace platform
