#include "platform/host_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <limits>

namespace platform {
namespace {

constexpr std::uint64_t kMaxChunk = 1u << 30;

int OpenFlags(OpenMode mode) {
    // O_NONBLOCK keeps a FIFO from blocking the open; it is cleared once the file is known
    // to be a regular one.
    const int common = O_CLOEXEC | O_NONBLOCK | O_NOCTTY;
    switch (mode) {
        case OpenMode::kRead:
            return common | O_RDONLY;
        case OpenMode::kReadWrite:
            return common | O_RDWR;
        case OpenMode::kCreateWrite:
            return common | O_WRONLY | O_CREAT;
    }
    return common | O_RDONLY;
}

}  // namespace

bool TakeLock(int fd, bool exclusive) {
    int result;
    do {
        result = ::flock(fd, (exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    return result == 0 || errno != EWOULDBLOCK;
}

bool HasReadOnlyMode(unsigned mode) {
    return (mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

std::unique_ptr<HostFile> HostFile::Open(const std::string& hostPath, OpenMode mode,
                                         bool exclusive) {
    const bool writes = mode != OpenMode::kRead;
    UniqueFd fd(::open(hostPath.c_str(), OpenFlags(mode), 0666));
    struct stat info {};
    if (!fd.IsValid() || ::fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return nullptr;
    }
    if ((writes && HasReadOnlyMode(info.st_mode)) || !TakeLock(fd.Get(), exclusive)) {
        return nullptr;
    }
    const int flags = ::fcntl(fd.Get(), F_GETFL);
    if (flags < 0 || ::fcntl(fd.Get(), F_SETFL, flags & ~O_NONBLOCK) != 0) {
        return nullptr;
    }
    // Truncating only now leaves a file that another open holds untouched.
    if (mode == OpenMode::kCreateWrite && ::ftruncate(fd.Get(), 0) != 0) {
        return nullptr;
    }
    return std::unique_ptr<HostFile>(new HostFile(std::move(fd), writes));
}

std::uint64_t HostFile::Read(void* buffer, std::uint64_t count) {
    auto* bytes = static_cast<char*>(buffer);
    std::uint64_t done = 0;
    while (done < count) {
        const auto chunk = static_cast<std::size_t>(std::min(count - done, kMaxChunk));
        const ssize_t n = ReadSome(m_fd.Get(), bytes + done, chunk);
        if (n <= 0) {
            break;
        }
        done += static_cast<std::uint64_t>(n);
        if (static_cast<std::size_t>(n) < chunk) {
            break;
        }
    }
    return done;
}

bool HostFile::Write(const void* buffer, std::uint64_t count) {
    if (!m_writable) {
        return false;
    }
    const auto* bytes = static_cast<const char*>(buffer);
    while (count > 0) {
        const auto chunk = static_cast<std::size_t>(std::min(count, kMaxChunk));
        if (!WriteAll(m_fd.Get(), bytes, chunk)) {
            return false;
        }
        bytes += chunk;
        count -= chunk;
    }
    return true;
}

bool HostFile::Seek(std::uint64_t position) {
    if (position > static_cast<std::uint64_t>(std::numeric_limits<off_t>::max())) {
        return false;
    }
    return ::lseek(m_fd.Get(), static_cast<off_t>(position), SEEK_SET) >= 0;
}

std::uint64_t HostFile::Position() const {
    const off_t position = ::lseek(m_fd.Get(), 0, SEEK_CUR);
    return position < 0 ? 0 : static_cast<std::uint64_t>(position);
}

std::uint64_t HostFile::Size() const {
    struct stat info {};
    return ::fstat(m_fd.Get(), &info) == 0 ? static_cast<std::uint64_t>(info.st_size) : 0;
}

bool HostFile::Flush() {
    return !m_writable || ::fdatasync(m_fd.Get()) == 0;
}

bool IsFileInUse(const std::string& hostPath) {
    UniqueFd fd(::open(hostPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (!fd.IsValid()) {
        return false;
    }
    return !TakeLock(fd.Get(), true);
}

}  // namespace platform
