#pragma once

#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "platform/host_io.h"

namespace platform {

// A new file beside a target, under a name of its own. Commit moves it over the target in one
// step; without a commit it is removed with the object. Readers of the target thus see the
// old file or the complete new one, never a part.
class TempFile {
public:
    // mode: the new file's permission bits (the process's umask applies).
    TempFile(const std::string& target, mode_t mode);
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    ~TempFile();

    bool IsOpen() const { return m_fd.IsValid(); }
    int Fd() const { return m_fd.Get(); }
    const std::string& Path() const { return m_path; }

    // Pushes the bytes to the disk, renames the file over the target and makes the rename
    // durable.
    bool Commit();

private:
    std::string m_target;
    std::string m_path;
    UniqueFd m_fd;
    bool m_committed = false;
};

// Replaces a file's contents through a TempFile. A target that is a symbolic link keeps the
// link: the file it leads to is the one replaced. keepMode gives the new file these permission
// bits exactly (the old file's); without it the new file gets the usual ones.
bool ReplaceAtomically(const std::string& target, std::span<const std::uint8_t> bytes,
                       std::optional<mode_t> keepMode);

}  // namespace platform
