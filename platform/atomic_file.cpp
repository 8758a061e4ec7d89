#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>

namespace platform {
namespace {

constexpr int kNameAttempts = 32;

std::string TempName(const std::string& folder, int attempt) {
    static std::atomic<unsigned> counter{0};
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    return folder + "/.kaocg-" + std::to_string(::getpid()) + "-" +
           std::to_string(counter.fetch_add(1)) + "-" +
           std::to_string(static_cast<unsigned long long>(ticks) % 1000000007ull + attempt) +
           ".tmp";
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
    TempFile temp(target, 0666);
    if (!temp.IsOpen()) {
        return false;
    }
    if (keepMode && ::fchmod(temp.Fd(), *keepMode & 0777) != 0) {
        return false;
    }
    return WriteAll(temp.Fd(), bytes.data(), bytes.size()) && temp.Commit();
}

}  // namespace platform
