#include "tools/demo/sparse_file_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace kaocg_demo {
namespace {

constexpr std::size_t kWindowSize = 1 << 20;  // a multiple of the block size
static_assert(kWindowSize % SparseFileWriter::kBlockSize == 0);

std::uint64_t AlignDown(std::uint64_t value) {
    return value / SparseFileWriter::kBlockSize * SparseFileWriter::kBlockSize;
}

bool IsZero(const std::uint8_t* data, std::size_t size) {
    static const std::array<std::uint8_t, SparseFileWriter::kBlockSize> kZeros{};
    return std::memcmp(data, kZeros.data(), size) == 0;
}

// mkstemp makes the file private to its owner; the archive should look like any new file.
mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

SparseFileWriter::~SparseFileWriter() {
    if (m_fd >= 0) {
        ::close(m_fd);
        ::unlink(m_tempPath.c_str());
    }
}

std::string SparseFileWriter::Failure(const std::string& what) const {
    return m_path + ": " + what + ": " + std::strerror(errno);
}

bool SparseFileWriter::Open(const std::string& path, std::string& error) {
    const std::filesystem::path target(path);
    m_path = path;
    m_tempPath = (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
    m_fd = ::mkstemp(m_tempPath.data());
    if (m_fd < 0) {
        error = Failure("cannot create a temporary file next to it");
        return false;
    }
    m_position = 0;
    m_windowStart = 0;
    m_window.assign(kWindowSize, 0);
    return true;
}

bool SparseFileWriter::Write(std::span<const std::uint8_t> bytes, std::string& error) {
    if (m_fd < 0) {
        error = m_path + ": not open";
        return false;
    }
    while (!bytes.empty()) {
        if (m_position == m_windowStart + m_window.size()) {
            if (!FlushWindow(error)) {
                return false;
            }
            m_windowStart = m_position;
        }
        const std::size_t at = static_cast<std::size_t>(m_position - m_windowStart);
        const std::size_t count = std::min(bytes.size(), m_window.size() - at);
        std::memcpy(m_window.data() + at, bytes.data(), count);
        m_position += count;
        bytes = bytes.subspan(count);
    }
    return true;
}

bool SparseFileWriter::SkipTo(std::uint64_t position, std::string& error) {
    if (m_fd < 0) {
        error = m_path + ": not open";
        return false;
    }
    if (position < m_position) {
        error = m_path + ": cannot move back from " + std::to_string(m_position) + " to " +
                std::to_string(position);
        return false;
    }
    if (position >= m_windowStart + m_window.size()) {
        if (!FlushWindow(error)) {
            return false;
        }
        m_windowStart = AlignDown(position);
    }
    m_position = position;
    return true;
}

// Writes the blocks of the window that hold data, in runs, and zeroes the window again.
bool SparseFileWriter::FlushWindow(std::string& error) {
    const std::uint64_t end = std::min<std::uint64_t>(m_position, m_windowStart + m_window.size());
    std::uint64_t runStart = end;  // no run open
    for (std::uint64_t block = m_windowStart; block < end; block += kBlockSize) {
        const std::size_t at = static_cast<std::size_t>(block - m_windowStart);
        const std::size_t size = static_cast<std::size_t>(std::min(kBlockSize, end - block));
        const bool zero = IsZero(m_window.data() + at, size);
        if (!zero && runStart == end) {
            runStart = block;
        } else if (zero && runStart != end) {
            if (!WriteRun(runStart, block, error)) {
                return false;
            }
            runStart = end;
        }
    }
    if (runStart != end && !WriteRun(runStart, end, error)) {
        return false;
    }
    if (end > m_windowStart) {
        std::memset(m_window.data(), 0, static_cast<std::size_t>(end - m_windowStart));
    }
    return true;
}

bool SparseFileWriter::WriteRun(std::uint64_t begin, std::uint64_t end, std::string& error) {
    while (begin < end) {
        const std::uint8_t* data = m_window.data() + (begin - m_windowStart);
        const ssize_t n =
            ::pwrite(m_fd, data, static_cast<std::size_t>(end - begin), static_cast<off_t>(begin));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            if (n == 0) {
                errno = EIO;  // a write that moves nothing would loop for ever
            }
            error = Failure("cannot write");
            return false;
        }
        begin += static_cast<std::uint64_t>(n);
    }
    return true;
}

bool SparseFileWriter::Commit(std::string& error) {
    if (m_fd < 0) {
        error = m_path + ": not open";
        return false;
    }
    if (!FlushWindow(error)) {
        return false;
    }
    // The trailing hole exists only once the size is set; no sync: these are stand-in files,
    // and the rename alone keeps a broken run from leaving a partial archive behind.
    const int fd = m_fd;
    const bool written =
        ::ftruncate(fd, static_cast<off_t>(m_position)) == 0 && ::fchmod(fd, NewFileMode()) == 0;
    m_fd = -1;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || ::rename(m_tempPath.c_str(), m_path.c_str()) != 0) {
        error = Failure(written && closed ? "cannot replace" : "cannot write");
        ::unlink(m_tempPath.c_str());
        return false;
    }
    return true;
}

}  // namespace kaocg_demo
