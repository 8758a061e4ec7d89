// The tool's own file access on Windows: paths arrive in UTF-8 and meet the W functions in
// UTF-16; a replacement is written beside its target and moved over it with write-through.
#include <windows.h>

#include <string>

#include "lumo/io/utf.h"
#include "tools/kaocg-tool/file_io.h"
#include "tools/kaocg-tool/tool_error.h"

namespace kaocg_tool {
namespace {

[[noreturn]] void FailLastError(const std::string& path, const std::string& what) {
    Fail(path + ": " + what + " (Windows error " + std::to_string(::GetLastError()) + ")");
}

class ScopedHandle {
public:
    explicit ScopedHandle(HANDLE handle) : m_handle(handle) {}
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;
    ScopedHandle& operator=(ScopedHandle&& other) noexcept {
        Close();
        m_handle = other.m_handle;
        other.m_handle = INVALID_HANDLE_VALUE;
        return *this;
    }
    ~ScopedHandle() { Close(); }
    bool IsValid() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_handle; }
    bool Close() {
        const HANDLE handle = m_handle;
        m_handle = INVALID_HANDLE_VALUE;
        return handle == INVALID_HANDLE_VALUE || ::CloseHandle(handle) != 0;
    }

private:
    HANDLE m_handle;
};

bool WriteAll(HANDLE handle, std::span<const std::uint8_t> bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk =
            static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        DWORD moved = 0;
        if (!::WriteFile(handle, bytes.data() + done, chunk, &moved, nullptr) || moved == 0) {
            return false;
        }
        done += moved;
    }
    return true;
}

}  // namespace

std::vector<std::uint8_t> ReadWholeFile(const std::string& path) {
    const std::wstring name = lumo::Utf8ToWide(path);
    ScopedHandle file(::CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsValid()) {
        FailLastError(path, "cannot open");
    }
    if (::GetFileType(file.Get()) != FILE_TYPE_DISK) {
        Fail(path + ": not a regular file");
    }
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.Get(), &size)) {
        FailLastError(path, "cannot examine");
    }
    if (static_cast<std::uint64_t>(size.QuadPart) > kMaxInputSize) {
        Fail(path + ": file is larger than 1 GiB");
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size.QuadPart));
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD moved = 0;
        if (!::ReadFile(file.Get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done),
                        &moved, nullptr)) {
            FailLastError(path, "cannot read");
        }
        if (moved == 0) {
            Fail(path + ": file became shorter while being read");
        }
        done += moved;
    }
    return bytes;
}

void WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes) {
    const std::wstring target = lumo::Utf8ToWide(path);
    // A name of this process's own; one left behind by a crash is passed over.
    std::wstring temp;
    ScopedHandle file(INVALID_HANDLE_VALUE);
    for (unsigned attempt = 0; attempt < 100 && !file.IsValid(); ++attempt) {
        temp = target + L"." + std::to_wstring(::GetCurrentProcessId()) + L"." +
               std::to_wstring(attempt) + L".tmp";
        file =
            ScopedHandle(::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                       FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr));
    }
    if (!file.IsValid()) {
        FailLastError(path, "cannot create a temporary file next to it");
    }
    const bool written =
        WriteAll(file.Get(), bytes) && ::FlushFileBuffers(file.Get()) && file.Close();
    if (!written || !::MoveFileExW(temp.c_str(), target.c_str(),
                                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD error = ::GetLastError();
        file.Close();
        ::DeleteFileW(temp.c_str());
        ::SetLastError(error);
        FailLastError(path, written ? "cannot replace" : "cannot write");
    }
}

}  // namespace kaocg_tool
