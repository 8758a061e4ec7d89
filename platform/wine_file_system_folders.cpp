// The folder listing and the held file locks of the Wine prefix's files.
#include <dirent.h>
#include <sys/stat.h>

#include "lumo/io/utf.h"
#include "platform/host_io.h"
#include "platform/lock_file_mutex.h"
#include "platform/wine_file_system.h"

namespace platform {

std::vector<std::wstring> WineFileSystem::ListFiles(std::wstring_view folder) const {
    const std::string host = HostPath(folder);
    std::vector<std::wstring> names;
    UniqueDir dir(host.empty() ? nullptr : ::opendir(host.c_str()));
    if (!dir) {
        return names;
    }
    while (const dirent* entry = ::readdir(dir.get())) {
        struct stat info {};
        const std::string path = host + "/" + entry->d_name;
        if (::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
            names.push_back(lumo::Utf8ToWide(entry->d_name));
        }
    }
    return names;
}

std::unique_ptr<NamedMutex> WineFileSystem::HoldLock(std::wstring_view path) {
    const std::string host = HostPath(path);
    return host.empty() ? nullptr : HoldFileLock(host);
}

}  // namespace platform
