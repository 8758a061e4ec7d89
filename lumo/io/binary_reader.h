#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "lumo/io/binary_stream.h"

namespace lumo {

// Reads typed values in the stream's byte order. Every operation returns the number of bytes
// moved, or 0 when the value does not fit; a failed read changes neither the position nor the
// destination, so callers add up the counts to notice short data.
class CBinaryReaderBase : public CBinFileIO {
public:
    // n bytes in stored order, reversed as a whole when swapping.
    std::uint32_t Read(void* value, std::uint32_t n) { return ReadRaw(value, n, 1); }
    std::uint32_t Read(double& v) { return ReadRaw(&v, sizeof v, 1); }
    std::uint32_t Read(float& v) { return ReadRaw(&v, sizeof v, 1); }
    std::uint32_t Read(std::int64_t& v) { return ReadRaw(&v, sizeof v, 1); }
    std::uint32_t Read(std::uint64_t& v) { return ReadRaw(&v, sizeof v, 1); }
    std::uint32_t Read(std::int32_t& v) { return ReadRaw(&v, sizeof v, 1); }
    std::uint32_t Read(std::uint32_t& v) { return ReadRaw(&v, sizeof v, 1); }
    std::uint32_t Read(std::int16_t& v) { return ReadRaw(&v, sizeof v, 1); }
    std::uint32_t Read(std::uint16_t& v) { return ReadRaw(&v, sizeof v, 1); }
    std::uint32_t Read(std::int8_t& v) { return ReadRaw(&v, sizeof v, 1); }
    std::uint32_t Read(std::uint8_t& v) { return ReadRaw(&v, sizeof v, 1); }

    std::uint32_t ReadBits(std::uint64_t& v, BitFieldLayout layout);
    std::uint32_t ReadBits(std::uint32_t& v, BitFieldLayout layout);
    std::uint32_t ReadBits(std::uint16_t& v, BitFieldLayout layout);
    std::uint32_t ReadBits(std::uint8_t& v, BitFieldLayout layout);

    template <typename T>
    std::uint32_t ReadArray(T* values, std::uint32_t count) {
        static_assert(std::is_arithmetic_v<T>, "arrays of scalars only");
        return ReadRaw(values, sizeof(T), count);
    }

    // Skips the padding that raises value to a multiple of alignment.
    std::uint32_t AlignTo(std::uint32_t value, std::uint32_t alignment);

protected:
    // Moves count elements of elementSize bytes each, swapping each element when asked.
    virtual std::uint32_t ReadRaw(void* dst, std::uint32_t elementSize, std::uint32_t count) = 0;
};

// Reader over a borrowed memory block.
class CBinaryReaderFromMemory : public CBinaryReaderBase {
public:
    CBinaryReaderFromMemory(const void* block, std::uint32_t size);
    std::uint32_t GetSize() const override { return m_size; }
    // Bytes between the position and the end of the block (0 past the end).
    std::uint32_t Remaining() const;
    const std::uint8_t* Data() const { return m_block; }

protected:
    std::uint32_t ReadRaw(void* dst, std::uint32_t elementSize, std::uint32_t count) override;

private:
    const std::uint8_t* m_block;
    std::uint32_t m_size;
};

}  // namespace lumo
