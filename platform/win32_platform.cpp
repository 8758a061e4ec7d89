#include "platform/platform.h"
#include "platform/win32_file_system.h"
#include "platform/win32_processes.h"
#include "platform/win32_registry.h"

namespace platform {
namespace {

class Win32Platform final : public Platform {
public:
    Registry& GetRegistry() override { return m_registry; }
    FileSystem& GetFileSystem() override { return m_files; }
    Processes& GetProcesses() override { return m_processes; }

private:
    Win32Registry m_registry;
    Win32FileSystem m_files;
    Win32Processes m_processes;
};

}  // namespace

std::unique_ptr<Platform> CreateWin32Platform() {
    return std::make_unique<Win32Platform>();
}

}  // namespace platform
