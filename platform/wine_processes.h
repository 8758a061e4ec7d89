#pragma once

#include <string>

#include "platform/process.h"

namespace platform {

// Named mutexes and the process list as the editor's Windows calls see them. Wine's own named
// objects live in its server and cannot be seen from outside, so the mutexes here are lock
// files shared by the editor's processes, and a program under Wine is found in the process
// list instead.
class WineProcesses final : public Processes {
public:
    explicit WineProcesses(std::string lockFolder, std::string procRoot = "/proc");

    std::unique_ptr<NamedMutex> OpenGlobalMutex(std::wstring_view name) override;
    bool IsProgramRunning(std::span<const std::wstring_view> executableNames) const override;
    std::optional<ProcessInfo> MutexHolder(std::wstring_view name) override;
    std::optional<ProcessInfo> FindProgram(
        std::span<const std::wstring_view> executableNames) const override;

private:
    std::string m_lockFolder;
    std::string m_procRoot;
};

}  // namespace platform
