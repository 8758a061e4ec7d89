#pragma once

#include <memory>
#include <span>
#include <string_view>

namespace platform {

// A held named mutex; released when destroyed.
class NamedMutex {
public:
    virtual ~NamedMutex() = default;
};

class Processes {
public:
    virtual ~Processes() = default;
    // Creates and holds the global mutex "Global\" + name. Nothing when another process
    // already holds it (or it cannot be created).
    virtual std::unique_ptr<NamedMutex> OpenGlobalMutex(std::wstring_view name) = 0;
    // True when a running process executes a program of one of these file names (any case).
    virtual bool IsProgramRunning(std::span<const std::wstring_view> executableNames) const = 0;
};

}  // namespace platform
