#include "platform/wine_file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

#include "platform/atomic_file.h"
#include "platform/documents_folder.h"
#include "platform/host_file.h"
#include "platform/sparse_copy.h"

namespace platform {
namespace {

std::optional<struct stat> StatOf(const std::string& host) {
    struct stat info {};
    if (host.empty() || ::stat(host.c_str(), &info) != 0) {
        return std::nullopt;
    }
    return info;
}

// A target that may be overwritten: missing, or a regular file that is neither read-only
// nor held open. Windows refuses the others with "access denied" or a sharing violation.
bool MayOverwrite(const std::string& host) {
    struct stat info {};
    if (::stat(host.c_str(), &info) != 0) {
        return errno == ENOENT;
    }
    return S_ISREG(info.st_mode) && !HasReadOnlyMode(info.st_mode) && !IsFileInUse(host);
}

// Keeps the source's permission bits and last write time, as Windows keeps its attributes
// and time on a copy.
bool CopyMetadata(int to, const struct stat& source) {
    const timespec times[2] = {{0, UTIME_NOW}, source.st_mtim};
    return ::fchmod(to, source.st_mode & 0777) == 0 && ::futimens(to, times) == 0;
}

}  // namespace

WineFileSystem::WineFileSystem(WinePaths paths, const Registry& registry,
                               std::vector<std::wstring> userNames)
    : m_paths(std::move(paths)), m_registry(registry), m_userNames(std::move(userNames)) {}

std::string WineFileSystem::HostPath(std::wstring_view path) const {
    return m_paths.ToHost(path).value_or(std::string());
}

std::unique_ptr<File> WineFileSystem::Open(std::wstring_view path, OpenMode mode, bool exclusive) {
    const std::string host = HostPath(path);
    if (host.empty()) {
        return nullptr;
    }
    return HostFile::Open(host, mode, exclusive);
}

bool WineFileSystem::Exists(std::wstring_view path) const {
    return StatOf(HostPath(path)).has_value();
}

bool WineFileSystem::IsDirectory(std::wstring_view path) const {
    const auto info = StatOf(HostPath(path));
    return info && S_ISDIR(info->st_mode);
}

bool WineFileSystem::CreateDirectory(std::wstring_view path) {
    const std::string host = HostPath(path);
    if (host.empty()) {
        return false;
    }
    if (::mkdir(host.c_str(), 0777) != 0 && errno != EEXIST) {
        return false;
    }
    return IsDirectory(path);
}

bool WineFileSystem::SetReadOnly(std::wstring_view path, bool readOnly) {
    const std::string host = HostPath(path);
    const auto info = StatOf(host);
    if (!info) {
        return false;
    }
    if (S_ISDIR(info->st_mode)) {
        return true;
    }
    const mode_t mode = readOnly ? info->st_mode & ~mode_t{0222} : info->st_mode | S_IWUSR;
    return S_ISREG(info->st_mode) && ::chmod(host.c_str(), mode & 07777) == 0;
}

bool WineFileSystem::IsReadOnly(std::wstring_view path) const {
    const auto info = StatOf(HostPath(path));
    return info && S_ISREG(info->st_mode) && HasReadOnlyMode(info->st_mode);
}

bool WineFileSystem::CopyFile(std::wstring_view from, std::wstring_view to) {
    const std::string source = HostPath(from);
    const std::string target = HostPath(to);
    if (source.empty() || target.empty() || !MayOverwrite(target)) {
        return false;
    }
    UniqueFd in(::open(source.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    struct stat info {};
    if (!in.IsValid() || ::fstat(in.Get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return false;
    }
    // Windows reads the source in a shared open, which an exclusive open keeps out.
    if (!TakeLock(in.Get(), false)) {
        return false;
    }
    const auto existing = StatOf(target);
    if (existing && existing->st_dev == info.st_dev && existing->st_ino == info.st_ino) {
        return false;  // a file cannot be copied onto itself
    }
    TempFile temp(target, 0600);
    return temp.IsOpen() && CopySparse(in.Get(), temp.Fd(), info.st_size) &&
           CopyMetadata(temp.Fd(), info) && temp.Commit();
}

bool WineFileSystem::DeleteFile(std::wstring_view path) {
    const std::string host = HostPath(path);
    struct stat link {};
    if (host.empty() || ::lstat(host.c_str(), &link) != 0 || S_ISDIR(link.st_mode)) {
        return false;
    }
    if (S_ISREG(link.st_mode) && (HasReadOnlyMode(link.st_mode) || IsFileInUse(host))) {
        return false;
    }
    return ::unlink(host.c_str()) == 0;
}

bool WineFileSystem::ReplaceFile(std::wstring_view path, std::span<const std::uint8_t> bytes) {
    const std::string host = HostPath(path);
    if (host.empty() || !MayOverwrite(host)) {
        return false;
    }
    const auto existing = StatOf(host);
    return ReplaceAtomically(host, bytes,
                             existing ? std::optional<mode_t>(existing->st_mode) : std::nullopt);
}

std::optional<LocalTime> WineFileSystem::LastWriteTime(std::wstring_view path) const {
    const auto info = StatOf(HostPath(path));
    std::tm local{};
    if (!info || ::localtime_r(&info->st_mtim.tv_sec, &local) == nullptr) {
        return std::nullopt;
    }
    return LocalTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                     local.tm_hour,        local.tm_min,     local.tm_sec};
}

std::wstring WineFileSystem::DocumentsFolder() const {
    return FindDocumentsFolder(m_registry, m_paths, m_userNames);
}

}  // namespace platform
