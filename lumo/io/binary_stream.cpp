#include "lumo/io/binary_stream.h"

namespace lumo {

std::uint32_t CBinFileIO::Seek(std::uint32_t position) {
    m_position = position;
    return m_position;
}

std::uint32_t CBinFileIO::Skip(std::uint32_t count) {
    m_position += count;
    return count;
}

std::uint32_t CBinFileIO::Tell() const {
    return m_position;
}

std::uint32_t CBinFileIO::SeekFromBase(std::uint32_t offset) {
    m_position = m_base + offset;
    return m_position;
}

std::uint32_t CBinFileIO::TellFromBase() const {
    return m_position - m_base;
}

std::uint32_t CBinFileIO::PaddingFor(std::uint32_t value, std::uint32_t alignment) const {
    if (alignment == 0 || value % alignment == 0) {
        return 0;
    }
    return alignment - value % alignment;
}

}  // namespace lumo
