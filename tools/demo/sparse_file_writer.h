#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace kaocg_demo {

// Writes a file front to back and leaves every 4 KiB block that holds only zeros as a hole,
// so that archives of mostly empty slots take little disk. The bytes go to a temporary file
// next to the target, which Commit renames over it: an interrupted run never leaves a
// half-written archive under the real name.
class SparseFileWriter {
public:
    static constexpr std::uint64_t kBlockSize = 4096;

    SparseFileWriter() = default;
    SparseFileWriter(const SparseFileWriter&) = delete;
    SparseFileWriter& operator=(const SparseFileWriter&) = delete;
    // Removes the temporary file unless Commit succeeded.
    ~SparseFileWriter();

    bool Open(const std::string& path, std::string& error);
    std::uint64_t Position() const { return m_position; }
    bool Write(std::span<const std::uint8_t> bytes, std::string& error);
    // Moves forward to position; the bytes passed over read as zeros. Moving back is refused.
    bool SkipTo(std::uint64_t position, std::string& error);
    // Ends the file at the current position and gives it its real name.
    bool Commit(std::string& error);

private:
    bool FlushWindow(std::string& error);
    bool WriteRun(std::uint64_t begin, std::uint64_t end, std::string& error);
    std::string Failure(const std::string& what) const;

    std::string m_path;
    std::string m_tempPath;
    int m_fd = -1;
    std::uint64_t m_position = 0;
    // The window of the file still held in memory: it starts on a block boundary and is kept
    // zeroed beyond what was written into it.
    std::uint64_t m_windowStart = 0;
    std::vector<std::uint8_t> m_window;
};

}  // namespace kaocg_demo
