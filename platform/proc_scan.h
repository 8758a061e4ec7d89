#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/process.h"

namespace platform {

// True when a process listed under procRoot (normally /proc) runs a program of one of these
// file names, compared without regard to case. A Wine process shows its Windows program's
// name as its command name (cut to 15 bytes by the kernel) and has the program's file mapped,
// so both /proc/<pid>/comm and the file names in /proc/<pid>/maps are looked at. Processes
// that end or cannot be read meanwhile are passed over.
bool IsProgramRunningIn(const std::string& procRoot,
                        std::span<const std::wstring_view> executableNames);
// The first such process: its id and the wanted name it matched.
std::optional<ProcessInfo> FindProgramIn(const std::string& procRoot,
                                         std::span<const std::wstring_view> executableNames);
// The command name of a process; empty when it cannot be read.
std::wstring CommandNameOf(const std::string& procRoot, int pid);

}  // namespace platform
