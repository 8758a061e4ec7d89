#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <optional>

namespace platform {
namespace {

constexpr int kNameAttempts = 32;
constexpr int kMaxLinkHops = 40;  // as the kernel allows before ELOOP

std::string TempName(const std::string& folder, int attempt) {
    static std::atomic<unsigned> counter{0};
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    return folder + "/.kaocg-" + std::to_string(::getpid()) + "-" +
           std::to_string(counter.fetch_add(1)) + "-" +
           std::to_string(static_cast<unsigned long long>(ticks) % 1000000007ull + attempt) +
           ".tmp";
}

// The file a chain of symbolic links ends at, which need not exist yet; a relative link is
// taken from the folder of the link. Nothing when the chain is too long or unreadable.
std::optional<std::string> FollowLinks(std::string path) {
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            return path;
        }
        std::string target(static_cast<std::size_t>(info.st_size) + 256, '\0');
        const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
        if (n <= 0 || static_cast<std::size_t>(n) >= target.size()) {
            return std::nullopt;
        }
        target.resize(static_cast<std::size_t>(n));
        path = target.front() == '/' ? target : ParentFolder(path) + "/" + target;
    }
    return std::nullopt;
}

}  // namespace

TempFile::TempFile(const std::string& target, mode_t mode) : m_target(target) {
    const std::string folder = ParentFolder(target);
    for (int attempt = 0; attempt < kNameAttempts && !m_fd.IsValid(); ++attempt) {
        m_path = TempName(folder, attempt);
        const int fd =
            ::open(m_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode);
        const int error = errno;
        m_fd = UniqueFd(fd);
        if (fd < 0 && error != EEXIST) {
            break;
        }
    }
    if (!m_fd.IsValid()) {
        m_path.clear();
    }
}

TempFile::~TempFile() {
    if (!m_committed && !m_path.empty()) {
        m_fd.Close();
        ::unlink(m_path.c_str());
    }
}

bool TempFile::Commit() {
    if (!m_fd.IsValid() || m_committed) {
        return false;
    }
    if (::fsync(m_fd.Get()) != 0 || !m_fd.Close()) {
        return false;
    }
    if (::rename(m_path.c_str(), m_target.c_str()) != 0) {
        return false;
    }
    m_committed = true;
    SyncFolder(ParentFolder(m_target));
    return true;
}

bool ReplaceAtomically(const std::string& target, std::span<const std::uint8_t> bytes,
                       std::optional<mode_t> keepMode) {
    // A rename over a link would put a plain file in its place; the new file goes beside the
    // file the link points at instead, and the link stays.
    const std::optional<std::string> file = FollowLinks(target);
    if (!file) {
        return false;
    }
    TempFile temp(*file, 0666);
    if (!temp.IsOpen()) {
        return false;
    }
    if (keepMode && ::fchmod(temp.Fd(), *keepMode & 0777) != 0) {
        return false;
    }
    return WriteAll(temp.Fd(), bytes.data(), bytes.size()) && temp.Commit();
}

}  // namespace platform
