#pragma once

#include <dirent.h>
#include <sys/types.h>

#include <cstddef>
#include <memory>
#include <optional>
#include <string>

namespace platform {

// A file descriptor, closed with the object.
class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : m_fd(fd) {}
    UniqueFd(UniqueFd&& other) noexcept : m_fd(other.Release()) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept;
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    ~UniqueFd();

    int Get() const { return m_fd; }
    bool IsValid() const { return m_fd >= 0; }
    int Release();
    // Closes the descriptor; false when closing reports an error (a write may have failed).
    bool Close();

private:
    int m_fd = -1;
};

struct DirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};
using UniqueDir = std::unique_ptr<DIR, DirCloser>;

// All bytes or failure; interrupted calls are repeated.
bool WriteAll(int fd, const void* data, std::size_t size);
bool WriteAllAt(int fd, const void* data, std::size_t size, off_t offset);
// Bytes read into data, fewer at the end of the file; -1 on failure.
ssize_t ReadSome(int fd, void* data, std::size_t size);

// The whole of a regular file; nothing when it is missing, not a regular file, larger than
// maxBytes or unreadable.
std::optional<std::string> ReadWholeFile(const std::string& path, std::size_t maxBytes);

// What tells one version of a file from another.
struct FileStamp {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    long long modifiedSeconds = 0;
    long modifiedNanoseconds = 0;
    bool operator==(const FileStamp&) const = default;
};
std::optional<FileStamp> StampOf(const std::string& path);

std::string ParentFolder(const std::string& path);
// Makes a rename or creation in the folder durable; file systems that cannot are let be.
void SyncFolder(const std::string& folder);

}  // namespace platform
