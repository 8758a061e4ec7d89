#pragma once

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace platform {

// A held named mutex; released when destroyed.
class NamedMutex {
public:
    virtual ~NamedMutex() = default;
};

// A process found running: its id (0 when it cannot be told) and its program's file name.
struct ProcessInfo {
    int pid = 0;
    std::wstring program;
};

class Processes {
public:
    virtual ~Processes() = default;
    // Creates and holds the global mutex "Global\" + name. Nothing when another process
    // already holds it (or it cannot be created).
    virtual std::unique_ptr<NamedMutex> OpenGlobalMutex(std::wstring_view name) = 0;
    // True when a running process executes a program of one of these file names (any case).
    virtual bool IsProgramRunning(std::span<const std::wstring_view> executableNames) const = 0;

    // Who holds the global mutex "Global\" + name, asked without holding it: two processes
    // asking at once must not see each other as the holder. Nothing when nobody holds it.
    virtual std::optional<ProcessInfo> MutexHolder(std::wstring_view name) {
        if (OpenGlobalMutex(name)) {
            return std::nullopt;
        }
        return ProcessInfo{};
    }
    // The first running process of a program of one of these file names.
    virtual std::optional<ProcessInfo> FindProgram(
        std::span<const std::wstring_view> executableNames) const {
        if (!IsProgramRunning(executableNames)) {
            return std::nullopt;
        }
        return ProcessInfo{0, executableNames.empty() ? L"" : std::wstring(executableNames[0])};
    }
};

}  // namespace platform
