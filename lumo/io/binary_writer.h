#pragma once

#include <cstdint>
#include <type_traits>

#include "lumo/io/binary_stream.h"

namespace lumo {

// Writes typed values in the stream's byte order. Every operation returns the number of bytes
// moved, or 0 when the value does not fit (nothing is written then).
class CBinaryWriterBase : public CBinFileIO {
public:
    std::uint32_t Write(const void* value, std::uint32_t n) { return WriteRaw(value, n, 1); }
    std::uint32_t Write(double v) { return WriteRaw(&v, sizeof v, 1); }
    std::uint32_t Write(float v) { return WriteRaw(&v, sizeof v, 1); }
    std::uint32_t Write(std::int64_t v) { return WriteRaw(&v, sizeof v, 1); }
    std::uint32_t Write(std::uint64_t v) { return WriteRaw(&v, sizeof v, 1); }
    std::uint32_t Write(std::int32_t v) { return WriteRaw(&v, sizeof v, 1); }
    std::uint32_t Write(std::uint32_t v) { return WriteRaw(&v, sizeof v, 1); }
    std::uint32_t Write(std::int16_t v) { return WriteRaw(&v, sizeof v, 1); }
    std::uint32_t Write(std::uint16_t v) { return WriteRaw(&v, sizeof v, 1); }
    std::uint32_t Write(std::int8_t v) { return WriteRaw(&v, sizeof v, 1); }
    std::uint32_t Write(std::uint8_t v) { return WriteRaw(&v, sizeof v, 1); }

    std::uint32_t WriteBits(std::uint64_t v, BitFieldLayout layout);
    std::uint32_t WriteBits(std::uint32_t v, BitFieldLayout layout);
    std::uint32_t WriteBits(std::uint16_t v, BitFieldLayout layout);
    std::uint32_t WriteBits(std::uint8_t v, BitFieldLayout layout);

    template <typename T>
    std::uint32_t WriteArray(const T* values, std::uint32_t count) {
        static_assert(std::is_arithmetic_v<T>, "arrays of scalars only");
        return WriteRaw(values, sizeof(T), count);
    }

    // Writes the zero bytes that raise value to a multiple of alignment.
    std::uint32_t AlignTo(std::uint32_t value, std::uint32_t alignment);
    // Writes count zero bytes, all or none; nothing is allocated for them.
    std::uint32_t WriteZeros(std::uint32_t count);

protected:
    virtual std::uint32_t WriteRaw(const void* src, std::uint32_t elementSize,
                                   std::uint32_t count) = 0;
    // Whether count more bytes fit after the position; 0 fits always.
    virtual bool Fits(std::uint64_t count) const = 0;
};

// Writer into a borrowed memory block of fixed capacity; nothing grows the block.
class CBinaryWriterToMemory : public CBinaryWriterBase {
public:
    CBinaryWriterToMemory(void* block, std::uint32_t capacity);
    std::uint32_t GetSize() const override { return m_capacity; }

protected:
    std::uint32_t WriteRaw(const void* src, std::uint32_t elementSize,
                           std::uint32_t count) override;
    bool Fits(std::uint64_t count) const override;

private:
    std::uint8_t* m_block;
    std::uint32_t m_capacity;
};

// Writes nothing and only counts: formats run their write once through it to learn sizes and
// offsets before the real write. Like a memory block it holds at most 4 GiB - 1 bytes, the
// most a 32-bit position can address, and refuses what would go past that.
class CBinaryWriterForUpdateSize : public CBinaryWriterBase {
public:
    std::uint32_t GetSize() const override { return 0; }

protected:
    std::uint32_t WriteRaw(const void* src, std::uint32_t elementSize,
                           std::uint32_t count) override;
    bool Fits(std::uint64_t count) const override;
};

}  // namespace lumo
