#include "platform/lock_file_mutex.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <sys/sysmacros.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "lumo/io/utf.h"
#include "platform/host_io.h"

namespace platform {
namespace {

class LockFileMutex final : public NamedMutex {
public:
    explicit LockFileMutex(UniqueFd fd) : m_fd(std::move(fd)) {}

private:
    UniqueFd m_fd;
};

// Letters, digits, '-', '.' and '_' stay; every other byte of the UTF-8 name becomes %XX, so
// names differing in any character (case included, as mutex names are case-sensitive) get
// different files and no name can leave the folder.
std::string FileNameFor(std::wstring_view name) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string file = "kaocg-mutex-";
    for (const char c : lumo::WideToUtf8(name)) {
        const auto byte = static_cast<unsigned char>(c);
        const bool plain = (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
                           (byte >= '0' && byte <= '9') || byte == '-' || byte == '.' ||
                           byte == '_';
        if (plain) {
            file += c;
        } else {
            file += '%';
            file += kHex[byte >> 4];
            file += kHex[byte & 15];
        }
    }
    return file + ".lock";
}

// Another user able to put files here could hold our names or swap a lock file under us.
bool IsPrivateFolder(const std::string& folder) {
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        return false;
    }
    struct stat info {};
    return ::lstat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == ::geteuid() && (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

bool IsUsableName(const std::string& folder, std::wstring_view name) {
    return !folder.empty() && name.find(L'\0') == std::wstring_view::npos &&
           IsPrivateFolder(folder);
}

bool Flock(int fd, int operation) {
    int result;
    do {
        result = ::flock(fd, operation | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    return result == 0;
}

// The process holding a flock on the file, from the kernel's list of locks ("1: FLOCK
// ADVISORY WRITE <pid> <major>:<minor>:<inode> 0 EOF"); 0 when it is not listed.
int ExclusiveLockHolder(const struct stat& file) {
    std::ifstream locks("/proc/locks");
    char device[32];
    std::snprintf(device, sizeof device, "%02x:%02x:", ::major(file.st_dev), ::minor(file.st_dev));
    const std::string wanted = device + std::to_string(file.st_ino);
    std::string line;
    while (std::getline(locks, line)) {
        std::istringstream fields(line);
        std::string number, kind, advisory, access, pid, where;
        fields >> number >> kind >> advisory >> access >> pid >> where;
        if (kind == "FLOCK" && access == "WRITE" && where == wanted) {
            return std::atoi(pid.c_str());
        }
    }
    return 0;
}

}  // namespace

std::unique_ptr<NamedMutex> HoldFileLock(const std::string& path) {
    UniqueFd fd(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY, 0600));
    if (!fd.IsValid() || !Flock(fd.Get(), LOCK_EX)) {
        return nullptr;
    }
    return std::make_unique<LockFileMutex>(std::move(fd));
}

std::optional<int> FileLockHolder(const std::string& path) {
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY));
    if (!fd.IsValid()) {
        return std::nullopt;  // a lock file nobody made is held by nobody
    }
    // A shared lock meets only the holder's exclusive one, never another asker's.
    if (Flock(fd.Get(), LOCK_SH)) {
        ::flock(fd.Get(), LOCK_UN);
        return std::nullopt;
    }
    struct stat info {};
    if (::fstat(fd.Get(), &info) != 0) {
        return 0;
    }
    return ExclusiveLockHolder(info);
}

std::unique_ptr<NamedMutex> OpenLockFileMutex(const std::string& folder, std::wstring_view name) {
    if (!IsUsableName(folder, name)) {
        return nullptr;
    }
    return HoldFileLock(folder + "/" + FileNameFor(name));
}

std::optional<int> LockFileMutexHolder(const std::string& folder, std::wstring_view name) {
    if (!IsUsableName(folder, name)) {
        return 0;  // as OpenLockFileMutex refuses the name, it counts as taken
    }
    return FileLockHolder(folder + "/" + FileNameFor(name));
}

std::string SessionIndependentLockFolder() {
    return "/tmp/kaocg-" + std::to_string(::getuid());
}

std::string DefaultLockFolder() {
    // A runtime folder that is missing or not ours would make every mutex look taken.
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    struct stat info {};
    if (runtime != nullptr && runtime[0] == '/' && ::stat(runtime, &info) == 0 &&
        S_ISDIR(info.st_mode) && info.st_uid == ::geteuid()) {
        return runtime;
    }
    return SessionIndependentLockFolder();
}

}  // namespace platform
