#include "platform/wine_processes.h"

#include "platform/lock_file_mutex.h"
#include "platform/proc_scan.h"

namespace platform {

WineProcesses::WineProcesses(std::string lockFolder, std::string procRoot)
    : m_lockFolder(std::move(lockFolder)), m_procRoot(std::move(procRoot)) {}

std::unique_ptr<NamedMutex> WineProcesses::OpenGlobalMutex(std::wstring_view name) {
    return OpenLockFileMutex(m_lockFolder, L"Global\\" + std::wstring(name));
}

bool WineProcesses::IsProgramRunning(std::span<const std::wstring_view> executableNames) const {
    return IsProgramRunningIn(m_procRoot, executableNames);
}

std::optional<ProcessInfo> WineProcesses::MutexHolder(std::wstring_view name) {
    const std::optional<int> pid =
        LockFileMutexHolder(m_lockFolder, L"Global\\" + std::wstring(name));
    if (!pid) {
        return std::nullopt;
    }
    return ProcessInfo{*pid, *pid > 0 ? CommandNameOf(m_procRoot, *pid) : std::wstring()};
}

std::optional<ProcessInfo> WineProcesses::FindProgram(
    std::span<const std::wstring_view> executableNames) const {
    return FindProgramIn(m_procRoot, executableNames);
}

}  // namespace platform
