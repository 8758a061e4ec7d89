#pragma once

#include <cstdint>
#include <vector>

#include "platform/file_system.h"

namespace platform {

// A file held in memory, for building a file's bytes before FileSystem::ReplaceFile. Seeking
// past the end is allowed; a write there fills the gap with zeros, as files do.
class MemoryFile final : public File {
public:
    // Writes that would make the file larger than this fail.
    static constexpr std::uint64_t kMaxSize = std::uint64_t{1} << 32;

    MemoryFile() = default;
    explicit MemoryFile(std::vector<std::uint8_t> bytes) : m_bytes(std::move(bytes)) {}

    std::uint64_t Read(void* buffer, std::uint64_t count) override;
    bool Write(const void* buffer, std::uint64_t count) override;
    bool Seek(std::uint64_t position) override;
    std::uint64_t Position() const override { return m_position; }
    std::uint64_t Size() const override { return m_bytes.size(); }
    bool Flush() override { return true; }

    const std::vector<std::uint8_t>& Bytes() const { return m_bytes; }
    std::vector<std::uint8_t> TakeBytes();

private:
    std::vector<std::uint8_t> m_bytes;
    std::uint64_t m_position = 0;
};

}  // namespace platform
