#include "platform/memory_file.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace platform {

std::uint64_t MemoryFile::Read(void* buffer, std::uint64_t count) {
    if (m_position >= m_bytes.size()) {
        return 0;
    }
    const std::uint64_t n = std::min<std::uint64_t>(count, m_bytes.size() - m_position);
    std::memcpy(buffer, m_bytes.data() + m_position, static_cast<std::size_t>(n));
    m_position += n;
    return n;
}

bool MemoryFile::Write(const void* buffer, std::uint64_t count) {
    if (count > kMaxSize || m_position > kMaxSize - count) {
        return false;
    }
    const std::uint64_t end = m_position + count;
    try {
        if (end > m_bytes.size()) {
            m_bytes.resize(static_cast<std::size_t>(end));
        }
    } catch (const std::bad_alloc&) {
        return false;
    }
    if (count > 0) {
        std::memcpy(m_bytes.data() + m_position, buffer, static_cast<std::size_t>(count));
    }
    m_position = end;
    return true;
}

bool MemoryFile::Seek(std::uint64_t position) {
    m_position = position;
    return true;
}

std::vector<std::uint8_t> MemoryFile::TakeBytes() {
    m_position = 0;
    return std::move(m_bytes);
}

}  // namespace platform
