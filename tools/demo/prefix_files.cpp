#include "tools/demo/prefix_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace kaocg_demo {
namespace {

bool Fail(const std::string& path, const std::string& what, std::string& error) {
    error = path + ": " + what + ": " + std::strerror(errno);
    return false;
}

std::string TempNameNextTo(const std::string& path) {
    const std::filesystem::path p(path);
    return (p.parent_path() / ("." + p.filename().string() + ".XXXXXX")).string();
}

bool WriteAll(int fd, const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            if (n == 0) {
                errno = EIO;
            }
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

bool MakeFolders(const std::string& path, std::string& error) {
    std::error_code code;
    std::filesystem::create_directories(path, code);
    if (code || !std::filesystem::is_directory(path, code)) {
        error = path + ": cannot create the folder: " +
                (code ? code.message() : std::string("a file of that name is in the way"));
        return false;
    }
    return true;
}

bool WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                         std::string& error) {
    std::string temp = TempNameNextTo(path);
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        return Fail(path, "cannot create a temporary file next to it", error);
    }
    // No sync: a sync waits for all the archive data still in flight, and a stand-in install
    // needs no durability; the rename alone keeps a failed run from leaving a part behind.
    bool ok = ::fchmod(fd, NewFileMode()) == 0 && WriteAll(fd, bytes.data(), bytes.size());
    ok = ::close(fd) == 0 && ok;
    if (!ok || ::rename(temp.c_str(), path.c_str()) != 0) {
        const int saved = errno;
        ::unlink(temp.c_str());
        errno = saved;
        return Fail(path, ok ? "cannot replace" : "cannot write", error);
    }
    return true;
}

bool ReplaceSymlink(const std::string& target, const std::string& path, std::string& error) {
    // mkstemp reserves a free name; the link takes it over once the file is gone.
    std::string temp = TempNameNextTo(path);
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        return Fail(path, "cannot reserve a temporary name next to it", error);
    }
    ::close(fd);
    ::unlink(temp.c_str());
    if (::symlink(target.c_str(), temp.c_str()) != 0) {
        return Fail(path, "cannot create the link", error);
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        const int saved = errno;
        ::unlink(temp.c_str());
        errno = saved;
        return Fail(path, "cannot replace the link", error);
    }
    return true;
}

bool SetModificationTime(const std::string& path, std::time_t when, std::string& error) {
    const timespec times[2] = {{when, 0}, {when, 0}};
    if (::utimensat(AT_FDCWD, path.c_str(), times, 0) != 0) {
        return Fail(path, "cannot set the modification time", error);
    }
    return true;
}

}  // namespace kaocg_demo
