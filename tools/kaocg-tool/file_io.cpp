#include "tools/kaocg-tool/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "tools/kaocg-tool/tool_error.h"

namespace kaocg_tool {
namespace {

[[noreturn]] void FailErrno(const std::string& path, const std::string& what) {
    Fail(path + ": " + what + ": " + std::strerror(errno));
}

// Closes the descriptor on every way out, so that failures do not leak it.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    int Get() const { return m_fd; }
    // Closes now and reports the result: some file systems report write errors only here.
    bool Close() {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

void ReadExactly(int fd, std::uint8_t* data, std::size_t size, const std::string& path) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::read(fd, data + done, size - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            FailErrno(path, "cannot read");
        }
        if (n == 0) {
            Fail(path + ": file became shorter while being read");
        }
        done += static_cast<std::size_t>(n);
    }
}

bool WriteAll(int fd, const std::uint8_t* data, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd, data + done, size - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            if (n == 0) {
                errno = EIO;  // a write that moves nothing would loop for ever
            }
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// mkstemp creates the file private to the owner; the result should look like any other new
// file of the user's.
mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Makes the rename itself durable. Some file systems cannot sync a folder; the data is safe
// then all the same, so a failure here is not reported.
void SyncFolder(const std::string& folder) {
    FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Get() >= 0) {
        ::fsync(dir.Get());
    }
}

}  // namespace

std::vector<std::uint8_t> ReadWholeFile(const std::string& path) {
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.Get() < 0) {
        FailErrno(path, "cannot open");
    }
    struct stat info {};
    if (::fstat(fd.Get(), &info) != 0) {
        FailErrno(path, "cannot examine");
    }
    if (!S_ISREG(info.st_mode)) {
        Fail(path + ": not a regular file");
    }
    if (static_cast<std::uint64_t>(info.st_size) > kMaxInputSize) {
        Fail(path + ": file is larger than 1 GiB");
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(info.st_size));
    ReadExactly(fd.Get(), bytes.data(), bytes.size(), path);
    return bytes;
}

void WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes) {
    const std::filesystem::path target(path);
    const std::filesystem::path parent = target.parent_path();
    const std::string folder = parent.empty() ? std::string(".") : parent.string();
    std::string temp =
        (std::filesystem::path(folder) / ("." + target.filename().string() + ".XXXXXX")).string();
    FileDescriptor fd(::mkstemp(temp.data()));
    if (fd.Get() < 0) {
        FailErrno(path, "cannot create a temporary file next to it");
    }
    const bool written = ::fchmod(fd.Get(), NewFileMode()) == 0 &&
                         WriteAll(fd.Get(), bytes.data(), bytes.size()) && ::fsync(fd.Get()) == 0 &&
                         fd.Close();
    if (!written || ::rename(temp.c_str(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        errno = error;
        FailErrno(path, written ? "cannot replace" : "cannot write");
    }
    SyncFolder(folder);
}

}  // namespace kaocg_tool
