#pragma once

#include "platform/process.h"

namespace platform {

// Named mutexes in the system's global namespace, seen by every process of every session,
// and the process list of the running system.
class Win32Processes final : public Processes {
public:
    std::unique_ptr<NamedMutex> OpenGlobalMutex(std::wstring_view name) override;
    bool IsProgramRunning(std::span<const std::wstring_view> executableNames) const override;
};

}  // namespace platform
