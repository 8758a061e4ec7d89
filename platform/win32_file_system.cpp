#include "platform/win32_file_system.h"

#include <string>

#include "lumo/io/utf.h"
#include "platform/win32_api.h"
#include "platform/win32_file.h"

// After windows.h, which they need.
#include <knownfolders.h>
#include <shlobj.h>

namespace platform {
namespace {

constexpr DWORD kNoAttributes = INVALID_FILE_ATTRIBUTES;

DWORD AttributesOf(std::wstring_view path) {
    return ::GetFileAttributesW(std::wstring(path).c_str());
}

// A name beside the target that no other writer uses: the process and a counter make it
// unique, and the leading tilde keeps it apart from the game's own names.
std::wstring TempNameFor(const std::wstring& target) {
    static unsigned counter = 0;
    const std::size_t slash = target.find_last_of(L"\\/");
    const std::wstring folder = slash == std::wstring::npos ? L"" : target.substr(0, slash + 1);
    const std::wstring name = slash == std::wstring::npos ? target : target.substr(slash + 1);
    return folder + L"~" + name + L"." + std::to_wstring(::GetCurrentProcessId()) + L"." +
           std::to_wstring(++counter) + L".tmp";
}

// A new file of these bytes, on the disk before it returns.
bool WriteNewFile(const std::wstring& path, std::span<const std::uint8_t> bytes) {
    HANDLE handle = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    bool ok = true;
    std::size_t done = 0;
    while (ok && done < bytes.size()) {
        const DWORD chunk =
            static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        DWORD moved = 0;
        ok = ::WriteFile(handle, bytes.data() + done, chunk, &moved, nullptr) && moved > 0;
        done += moved;
    }
    ok = ::FlushFileBuffers(handle) && ok;
    return ::CloseHandle(handle) && ok;
}

// Moves a complete file over the target, which may be missing, in one step.
bool MoveOver(const std::wstring& from, const std::wstring& to) {
    return ::MoveFileExW(from.c_str(), to.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

}  // namespace

std::unique_ptr<File> Win32FileSystem::Open(std::wstring_view path, OpenMode mode, bool exclusive) {
    return Win32File::Open(std::wstring(path), mode, exclusive);
}

bool Win32FileSystem::Exists(std::wstring_view path) const {
    return AttributesOf(path) != kNoAttributes;
}

bool Win32FileSystem::IsDirectory(std::wstring_view path) const {
    const DWORD attributes = AttributesOf(path);
    return attributes != kNoAttributes && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool Win32FileSystem::CreateDirectory(std::wstring_view path) {
    return ::CreateDirectoryW(std::wstring(path).c_str(), nullptr) != 0 || IsDirectory(path);
}

bool Win32FileSystem::SetReadOnly(std::wstring_view path, bool readOnly) {
    const DWORD attributes = AttributesOf(path);
    if (attributes == kNoAttributes) {
        return false;
    }
    DWORD wanted = readOnly ? attributes | FILE_ATTRIBUTE_READONLY
                            : attributes & ~DWORD{FILE_ATTRIBUTE_READONLY};
    if (wanted == 0) {
        wanted = FILE_ATTRIBUTE_NORMAL;
    }
    return wanted == attributes || ::SetFileAttributesW(std::wstring(path).c_str(), wanted) != 0;
}

bool Win32FileSystem::IsReadOnly(std::wstring_view path) const {
    const DWORD attributes = AttributesOf(path);
    return attributes != kNoAttributes && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

bool Win32FileSystem::CopyFile(std::wstring_view from, std::wstring_view to) {
    const std::wstring target(to);
    if (IsReadOnly(target)) {
        return false;
    }
    const std::wstring temp = TempNameFor(target);
    // The copy takes the source's attributes; a read-only source must not make it so.
    const bool copied = ::CopyFileW(std::wstring(from).c_str(), temp.c_str(), TRUE) != 0 &&
                        SetReadOnly(temp, false);
    if (copied && MoveOver(temp, target)) {
        return true;
    }
    ::DeleteFileW(temp.c_str());
    return false;
}

bool Win32FileSystem::DeleteFile(std::wstring_view path) {
    return ::DeleteFileW(std::wstring(path).c_str()) != 0;
}

bool Win32FileSystem::ReplaceFile(std::wstring_view path, std::span<const std::uint8_t> bytes) {
    const std::wstring target(path);
    if (IsReadOnly(target) || IsDirectory(target)) {
        return false;
    }
    const std::wstring temp = TempNameFor(target);
    // MoveFileExW rather than ReplaceFileW: the latter, under Wine, leaves a backup file of its
    // own behind when the target is open. A move over an open target fails on both.
    if (WriteNewFile(temp, bytes) && MoveOver(temp, target)) {
        return true;
    }
    ::DeleteFileW(temp.c_str());
    return false;
}

std::optional<LocalTime> Win32FileSystem::LastWriteTime(std::wstring_view path) const {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    SYSTEMTIME utc{};
    SYSTEMTIME local{};
    if (!::GetFileAttributesExW(std::wstring(path).c_str(), GetFileExInfoStandard, &data) ||
        !::FileTimeToSystemTime(&data.ftLastWriteTime, &utc) ||
        !::SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) {
        return std::nullopt;
    }
    return LocalTime{local.wYear, local.wMonth,  local.wDay,
                     local.wHour, local.wMinute, local.wSecond};
}

std::wstring Win32FileSystem::DocumentsFolder() const {
    PWSTR found = nullptr;
    std::wstring folder;
    if (::SHGetKnownFolderPath(FOLDERID_Documents, 0, nullptr, &found) == S_OK && found) {
        folder = found;
    }
    ::CoTaskMemFree(found);
    if (!folder.empty() && folder.back() != L'\\') {
        folder += L'\\';
    }
    return folder;
}

std::string Win32FileSystem::HostPath(std::wstring_view path) const {
    return lumo::WideToUtf8(path);
}

}  // namespace platform
