#pragma once

#include <memory>
#include <string>

#include "platform/file_system.h"
#include "platform/host_io.h"

namespace platform {

// A file of the host opened the way the editor's Windows calls open files:
// - a file without any write permission bit carries the Windows read-only attribute, and
//   opens for writing are refused even where the host would allow them (as for root);
// - only regular files open;
// - every open holds an flock lock for its life: exclusive opens an exclusive one, others a
//   shared one, so an exclusive open fails while any other open of the file exists and the
//   other way round, like Windows share modes. Locks are per open, so this holds inside one
//   process too.
class HostFile final : public File {
public:
    // Nothing when the file cannot be opened in that mode.
    static std::unique_ptr<HostFile> Open(const std::string& hostPath, OpenMode mode,
                                          bool exclusive);

    std::uint64_t Read(void* buffer, std::uint64_t count) override;
    bool Write(const void* buffer, std::uint64_t count) override;
    bool Seek(std::uint64_t position) override;
    std::uint64_t Position() const override;
    std::uint64_t Size() const override;
    bool Flush() override;

private:
    HostFile(UniqueFd fd, bool writable) : m_fd(std::move(fd)), m_writable(writable) {}

    UniqueFd m_fd;
    bool m_writable;
};

// Takes the lock of an open: false when another open's lock is in the way. File systems without
// locks let every open through.
bool TakeLock(int fd, bool exclusive);
// True when some open of the file holds a lock on it; Windows then refuses to delete or
// replace the file.
bool IsFileInUse(const std::string& hostPath);
// No write permission bit set: the Windows read-only attribute.
bool HasReadOnlyMode(unsigned mode);

}  // namespace platform
