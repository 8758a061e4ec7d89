#include "platform/win32_file.h"

#include <algorithm>

#include "platform/win32_api.h"

namespace platform {
namespace {

// ReadFile and WriteFile move at most a DWORD of bytes per call.
constexpr std::uint64_t kMaxTransfer = 1u << 30;

struct OpenFlags {
    DWORD access = 0;
    DWORD disposition = 0;
};

OpenFlags FlagsOf(OpenMode mode) {
    switch (mode) {
        case OpenMode::kRead:
            return {GENERIC_READ, OPEN_EXISTING};
        case OpenMode::kReadWrite:
            return {GENERIC_READ | GENERIC_WRITE, OPEN_EXISTING};
        case OpenMode::kCreateWrite:
            return {GENERIC_WRITE, CREATE_ALWAYS};
    }
    return {};
}

}  // namespace

std::unique_ptr<Win32File> Win32File::Open(const std::wstring& path, OpenMode mode,
                                           bool exclusive) {
    // Windows refuses writes to a read-only file by itself; Wine run by root does not, as the
    // attribute is a missing write permission there, so it is asked for first.
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (mode != OpenMode::kRead && attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        return nullptr;
    }
    const OpenFlags flags = FlagsOf(mode);
    const DWORD share = exclusive ? 0 : FILE_SHARE_READ | FILE_SHARE_WRITE;
    HANDLE handle = ::CreateFileW(path.c_str(), flags.access, share, nullptr, flags.disposition,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    if (::GetFileType(handle) != FILE_TYPE_DISK) {
        ::CloseHandle(handle);
        return nullptr;
    }
    return std::unique_ptr<Win32File>(new Win32File(handle));
}

Win32File::~Win32File() {
    ::CloseHandle(m_handle);
}

std::uint64_t Win32File::Read(void* buffer, std::uint64_t count) {
    auto* target = static_cast<BYTE*>(buffer);
    std::uint64_t done = 0;
    while (done < count) {
        const DWORD chunk = static_cast<DWORD>(std::min(count - done, kMaxTransfer));
        DWORD moved = 0;
        if (!::ReadFile(m_handle, target + done, chunk, &moved, nullptr)) {
            return 0;
        }
        if (moved == 0) {
            break;  // the end of the file
        }
        done += moved;
    }
    return done;
}

bool Win32File::Write(const void* buffer, std::uint64_t count) {
    const auto* source = static_cast<const BYTE*>(buffer);
    std::uint64_t done = 0;
    while (done < count) {
        const DWORD chunk = static_cast<DWORD>(std::min(count - done, kMaxTransfer));
        DWORD moved = 0;
        if (!::WriteFile(m_handle, source + done, chunk, &moved, nullptr) || moved == 0) {
            return false;
        }
        done += moved;
    }
    return true;
}

bool Win32File::Seek(std::uint64_t position) {
    if (position > static_cast<std::uint64_t>(INT64_MAX)) {
        return false;
    }
    LARGE_INTEGER distance{};
    distance.QuadPart = static_cast<LONGLONG>(position);
    return ::SetFilePointerEx(m_handle, distance, nullptr, FILE_BEGIN) != 0;
}

std::uint64_t Win32File::Position() const {
    LARGE_INTEGER zero{};
    LARGE_INTEGER position{};
    if (!::SetFilePointerEx(m_handle, zero, &position, FILE_CURRENT)) {
        return 0;
    }
    return static_cast<std::uint64_t>(position.QuadPart);
}

std::uint64_t Win32File::Size() const {
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(m_handle, &size)) {
        return 0;
    }
    return static_cast<std::uint64_t>(size.QuadPart);
}

bool Win32File::Flush() {
    return ::FlushFileBuffers(m_handle) != 0;
}

}  // namespace platform
