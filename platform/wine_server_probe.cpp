#include "platform/wine_server_probe.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <optional>
#include <vector>

#include "platform/host_io.h"

namespace platform {
namespace {

constexpr std::size_t kMaxFolderNameFile = 256;

std::string ServerFolderName(const struct stat& prefix) {
    char name[64];
    std::snprintf(name, sizeof name, "server-%llx-%llx",
                  static_cast<unsigned long long>(prefix.st_dev),
                  static_cast<unsigned long long>(prefix.st_ino));
    return name;
}

std::vector<std::string> ServerFolders(const std::string& prefix, const struct stat& info) {
    const std::string name = ServerFolderName(info);
    std::vector<std::string> folders{"/tmp/.wine-" + std::to_string(::getuid()) + "/" + name};
    if (auto base = ReadWholeFile(prefix + "/wineserver", kMaxFolderNameFile)) {
        while (!base->empty() && (base->back() == '\n' || base->back() == '\0')) {
            base->pop_back();
        }
        if (!base->empty() && base->find('/') == std::string::npos && *base != "..") {
            folders.push_back("/tmp/" + *base + "/" + name);
        }
    }
    return folders;
}

bool IsLockHeld(const std::string& path) {
    const UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW));
    if (!fd.IsValid()) {
        return false;
    }
    struct flock probe {};
    probe.l_type = F_WRLCK;
    probe.l_whence = SEEK_SET;
    return ::fcntl(fd.Get(), F_GETLK, &probe) == 0 && probe.l_type != F_UNLCK;
}

bool IsServerFolder(const std::string& folder) {
    struct stat socket {};
    return ::lstat((folder + "/socket").c_str(), &socket) == 0 && S_ISSOCK(socket.st_mode) &&
           IsLockHeld(folder + "/lock");
}

}  // namespace

bool IsWineServerRunning(const std::string& prefix) {
    struct stat info {};
    if (::stat(prefix.c_str(), &info) != 0) {
        return false;
    }
    for (const std::string& folder : ServerFolders(prefix, info)) {
        if (IsServerFolder(folder)) {
            return true;
        }
    }
    return false;
}

}  // namespace platform
