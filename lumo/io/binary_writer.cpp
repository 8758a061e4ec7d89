#include "lumo/io/binary_writer.h"

#include <algorithm>
#include <cstring>

#include "lumo/io/bit_field.h"

namespace lumo {
namespace {

template <typename T>
std::uint32_t WritePacked(CBinaryWriterBase& writer, T v, BitFieldLayout layout) {
    const T stored =
        writer.IsSwap() ? static_cast<T>(bitfield::ToSwappedOrder(v, sizeof(T) * 8, layout)) : v;
    return writer.Write(stored);
}

}  // namespace

std::uint32_t CBinaryWriterBase::WriteBits(std::uint64_t v, BitFieldLayout layout) {
    return WritePacked(*this, v, layout);
}
std::uint32_t CBinaryWriterBase::WriteBits(std::uint32_t v, BitFieldLayout layout) {
    return WritePacked(*this, v, layout);
}
std::uint32_t CBinaryWriterBase::WriteBits(std::uint16_t v, BitFieldLayout layout) {
    return WritePacked(*this, v, layout);
}
std::uint32_t CBinaryWriterBase::WriteBits(std::uint8_t v, BitFieldLayout layout) {
    return WritePacked(*this, v, layout);
}

std::uint32_t CBinaryWriterBase::AlignTo(std::uint32_t value, std::uint32_t alignment) {
    return WriteZeros(PaddingFor(value, alignment));
}

// Padding may be as large as the alignment asks, so it goes out in pieces of one small block
// once the whole of it is known to fit.
std::uint32_t CBinaryWriterBase::WriteZeros(std::uint32_t count) {
    static constexpr std::uint8_t kZeros[4096] = {};
    if (count == 0 || !Fits(count)) {
        return 0;
    }
    for (std::uint32_t left = count; left > 0;) {
        const std::uint32_t piece = std::min<std::uint32_t>(left, sizeof kZeros);
        WriteRaw(kZeros, 1, piece);
        left -= piece;
    }
    return count;
}

namespace {

constexpr std::uint64_t kMaxPosition = 0xFFFFFFFFu;

}  // namespace

CBinaryWriterToMemory::CBinaryWriterToMemory(void* block, std::uint32_t capacity)
    : m_block(static_cast<std::uint8_t*>(block)), m_capacity(block ? capacity : 0) {}

std::uint32_t CBinaryWriterToMemory::WriteRaw(const void* src, std::uint32_t elementSize,
                                              std::uint32_t count) {
    const std::uint64_t bytes = std::uint64_t{elementSize} * count;
    if (bytes == 0 || !Fits(bytes)) {
        return 0;
    }
    std::uint8_t* out = m_block + m_position;
    std::memcpy(out, src, bytes);
    if (m_swap && elementSize > 1) {
        for (std::uint64_t i = 0; i < bytes; i += elementSize) {
            std::reverse(out + i, out + i + elementSize);
        }
    }
    m_position += static_cast<std::uint32_t>(bytes);
    return static_cast<std::uint32_t>(bytes);
}

std::uint32_t CBinaryWriterForUpdateSize::WriteRaw(const void*, std::uint32_t elementSize,
                                                   std::uint32_t count) {
    const std::uint64_t bytes = std::uint64_t{elementSize} * count;
    if (!Fits(bytes)) {
        return 0;
    }
    m_position += static_cast<std::uint32_t>(bytes);
    return static_cast<std::uint32_t>(bytes);
}

bool CBinaryWriterToMemory::Fits(std::uint64_t count) const {
    return std::uint64_t{m_position} + count <= m_capacity;
}

bool CBinaryWriterForUpdateSize::Fits(std::uint64_t count) const {
    return std::uint64_t{m_position} + count <= kMaxPosition;
}

}  // namespace lumo
