#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/process.h"

namespace platform {

// Paths are Windows paths ("C:\\dir\\file", either separator accepted); the implementation
// maps them onto the host's files.

enum class OpenMode {
    kRead,         // existing file, read only
    kReadWrite,    // existing file, read and write; fails on a read-only file
    kCreateWrite,  // created or truncated, write only; fails on a read-only file
};

// An open file. Reads and writes move bytes at the current position.
class File {
public:
    virtual ~File() = default;
    // Bytes read; fewer than count at the end of the file, 0 on failure.
    virtual std::uint64_t Read(void* buffer, std::uint64_t count) = 0;
    // All count bytes or failure.
    virtual bool Write(const void* buffer, std::uint64_t count) = 0;
    virtual bool Seek(std::uint64_t position) = 0;
    virtual std::uint64_t Position() const = 0;
    virtual std::uint64_t Size() const = 0;
    // Pushes written bytes to the disk.
    virtual bool Flush() = 0;
};

struct LocalTime {
    int year = 0;
    int month = 0;  // 1..12
    int day = 0;    // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Opens a file; with exclusive set, a second exclusive open of the same file fails while
    // this one is open. Nothing when the file cannot be opened.
    virtual std::unique_ptr<File> Open(std::wstring_view path, OpenMode mode, bool exclusive) = 0;
    virtual bool Exists(std::wstring_view path) const = 0;
    virtual bool IsDirectory(std::wstring_view path) const = 0;
    // Creates one folder whose parent exists; true when it exists afterwards.
    virtual bool CreateDirectory(std::wstring_view path) = 0;
    // The read-only attribute: set, or cleared back to a normal file.
    virtual bool SetReadOnly(std::wstring_view path, bool readOnly) = 0;
    virtual bool IsReadOnly(std::wstring_view path) const = 0;
    // Copies a file, overwriting the target. The copy appears under the target name only when
    // it is complete; holes of sparse files stay holes.
    virtual bool CopyFile(std::wstring_view from, std::wstring_view to) = 0;
    virtual bool DeleteFile(std::wstring_view path) = 0;
    // Replaces a file's contents atomically: a crash or a full disk leaves either the old file
    // or the new one, never a mix. The target may be missing; a read-only target is refused.
    virtual bool ReplaceFile(std::wstring_view path, std::span<const std::uint8_t> bytes) = 0;
    // The file's last modification, in local time.
    virtual std::optional<LocalTime> LastWriteTime(std::wstring_view path) const = 0;
    // The user's documents folder, a Windows path with a trailing backslash; empty when unknown.
    virtual std::wstring DocumentsFolder() const = 0;
    // The host path that a Windows path names (for messages and tools); empty when unmapped.
    virtual std::string HostPath(std::wstring_view path) const = 0;
    // The names of the files in a folder (not its subfolders), in no particular order; empty
    // when the folder cannot be read.
    virtual std::vector<std::wstring> ListFiles(std::wstring_view folder) const {
        (void)folder;
        return {};
    }
    // Holds a lock on a file (created when missing) for the life of the result, the way a
    // file opened without sharing is held on Windows; the lock ends with its process, so a
    // crash never leaves it behind. Nothing while another holder has it, or when it cannot be
    // made.
    virtual std::unique_ptr<NamedMutex> HoldLock(std::wstring_view path) {
        (void)path;
        return nullptr;
    }
};

}  // namespace platform
