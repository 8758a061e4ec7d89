#pragma once

#include <memory>
#include <string>

#include "platform/file_system.h"

namespace platform {

// A file opened through CreateFileW. Shared opens let others read and write beside them but
// not delete or rename the file; exclusive opens share nothing. So an exclusive open fails
// while any other open exists and the other way round, and an open file is neither deleted
// nor replaced.
class Win32File final : public File {
public:
    // Nothing when the file cannot be opened in that mode (a folder never opens).
    static std::unique_ptr<Win32File> Open(const std::wstring& path, OpenMode mode, bool exclusive);
    Win32File(const Win32File&) = delete;
    Win32File& operator=(const Win32File&) = delete;
    ~Win32File() override;

    std::uint64_t Read(void* buffer, std::uint64_t count) override;
    bool Write(const void* buffer, std::uint64_t count) override;
    bool Seek(std::uint64_t position) override;
    std::uint64_t Position() const override;
    std::uint64_t Size() const override;
    bool Flush() override;

private:
    explicit Win32File(void* handle) : m_handle(handle) {}

    void* m_handle;  // a HANDLE, kept out of this header with the rest of windows.h
};

}  // namespace platform
