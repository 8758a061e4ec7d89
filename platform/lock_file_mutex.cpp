#include "platform/lock_file_mutex.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

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

}  // namespace

std::unique_ptr<NamedMutex> OpenLockFileMutex(const std::string& folder, std::wstring_view name) {
    if (folder.empty() || name.find(L'\0') != std::wstring_view::npos || !IsPrivateFolder(folder)) {
        return nullptr;
    }
    const std::string path = folder + "/" + FileNameFor(name);
    UniqueFd fd(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY, 0600));
    if (!fd.IsValid()) {
        return nullptr;
    }
    int result;
    do {
        result = ::flock(fd.Get(), LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        return nullptr;
    }
    return std::make_unique<LockFileMutex>(std::move(fd));
}

std::string DefaultLockFolder() {
    // A runtime folder that is missing or not ours would make every mutex look taken.
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    struct stat info {};
    if (runtime != nullptr && runtime[0] == '/' && ::stat(runtime, &info) == 0 &&
        S_ISDIR(info.st_mode) && info.st_uid == ::geteuid()) {
        return runtime;
    }
    return "/tmp/kaocg-" + std::to_string(::getuid());
}

}  // namespace platform
