#include "lumo/io/binary_reader.h"

#include <algorithm>
#include <cstring>

#include "lumo/io/bit_field.h"

namespace lumo {
namespace {

template <typename T>
std::uint32_t ReadPacked(CBinaryReaderBase& reader, T& v, BitFieldLayout layout) {
    T stored{};
    const std::uint32_t n = reader.Read(stored);
    if (n == 0) {
        return 0;
    }
    v = reader.IsSwap() ? static_cast<T>(bitfield::FromSwappedOrder(stored, sizeof(T) * 8, layout))
                        : stored;
    return n;
}

}  // namespace

std::uint32_t CBinaryReaderBase::ReadBits(std::uint64_t& v, BitFieldLayout layout) {
    return ReadPacked(*this, v, layout);
}
std::uint32_t CBinaryReaderBase::ReadBits(std::uint32_t& v, BitFieldLayout layout) {
    return ReadPacked(*this, v, layout);
}
std::uint32_t CBinaryReaderBase::ReadBits(std::uint16_t& v, BitFieldLayout layout) {
    return ReadPacked(*this, v, layout);
}
std::uint32_t CBinaryReaderBase::ReadBits(std::uint8_t& v, BitFieldLayout layout) {
    return ReadPacked(*this, v, layout);
}

std::uint32_t CBinaryReaderBase::AlignTo(std::uint32_t value, std::uint32_t alignment) {
    return Skip(PaddingFor(value, alignment));
}

CBinaryReaderFromMemory::CBinaryReaderFromMemory(const void* block, std::uint32_t size)
    : m_block(static_cast<const std::uint8_t*>(block)), m_size(block ? size : 0) {}

std::uint32_t CBinaryReaderFromMemory::Remaining() const {
    return m_position < m_size ? m_size - m_position : 0;
}

std::uint32_t CBinaryReaderFromMemory::ReadRaw(void* dst, std::uint32_t elementSize,
                                               std::uint32_t count) {
    const std::uint64_t bytes = std::uint64_t{elementSize} * count;
    if (bytes == 0 || bytes > 0xFFFFFFFFu || std::uint64_t{m_position} + bytes > m_size) {
        return 0;
    }
    auto* out = static_cast<std::uint8_t*>(dst);
    std::memcpy(out, m_block + m_position, bytes);
    if (m_swap && elementSize > 1) {
        for (std::uint64_t i = 0; i < bytes; i += elementSize) {
            std::reverse(out + i, out + i + elementSize);
        }
    }
    m_position += static_cast<std::uint32_t>(bytes);
    return static_cast<std::uint32_t>(bytes);
}

}  // namespace lumo
