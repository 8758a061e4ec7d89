#include "platform/win32_processes.h"

#include <algorithm>
#include <string>

#include "platform/case_fold.h"
#include "platform/win32_api.h"

// After windows.h, which it needs.
#include <tlhelp32.h>

namespace platform {
namespace {

class Win32Mutex final : public NamedMutex {
public:
    explicit Win32Mutex(HANDLE handle) : m_handle(handle) {}
    Win32Mutex(const Win32Mutex&) = delete;
    Win32Mutex& operator=(const Win32Mutex&) = delete;
    ~Win32Mutex() override { ::CloseHandle(m_handle); }

private:
    HANDLE m_handle;
};

// Closes a handle on every way out.
class ScopedHandle {
public:
    explicit ScopedHandle(HANDLE handle) : m_handle(handle) {}
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;
    ~ScopedHandle() {
        if (m_handle != INVALID_HANDLE_VALUE) {
            ::CloseHandle(m_handle);
        }
    }
    HANDLE Get() const { return m_handle; }

private:
    HANDLE m_handle;
};

bool IsOneOf(const wchar_t* executable, std::span<const std::wstring_view> names) {
    const std::wstring_view running(executable);
    return std::any_of(names.begin(), names.end(),
                       [&](std::wstring_view name) { return EqualsIgnoreCase(running, name); });
}

}  // namespace

std::unique_ptr<NamedMutex> Win32Processes::OpenGlobalMutex(std::wstring_view name) {
    const std::wstring fullName = L"Global\\" + std::wstring(name);
    HANDLE handle = ::CreateMutexW(nullptr, FALSE, fullName.c_str());
    if (handle == nullptr) {
        return nullptr;
    }
    // The mutex is the other holder's: someone has the name already.
    if (::GetLastError() == ERROR_ALREADY_EXISTS) {
        ::CloseHandle(handle);
        return nullptr;
    }
    return std::make_unique<Win32Mutex>(handle);
}

bool Win32Processes::IsProgramRunning(std::span<const std::wstring_view> executableNames) const {
    const ScopedHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (snapshot.Get() == INVALID_HANDLE_VALUE) {
        return false;
    }
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Process32FirstW(snapshot.Get(), &entry); more;
         more = ::Process32NextW(snapshot.Get(), &entry)) {
        if (IsOneOf(entry.szExeFile, executableNames)) {
            return true;
        }
    }
    return false;
}

}  // namespace platform
