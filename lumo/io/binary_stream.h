#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>

#include "lumo/io/non_copyable.h"

namespace lumo {

// Widths of the fields of a packed value, listed from the least significant bit.
using BitFieldLayout = std::initializer_list<unsigned>;

// Common state of the toolkit's binary streams: the byte order flag and a position that
// can be taken from an origin ("base") set by the format being read or written.
class CBinFileIO : public CNonCopyable {
public:
    // True when the data is big-endian: every multi-byte value is byte-reversed on the way.
    bool IsSwap() const { return m_swap; }
    void SetSwap(bool swap) { m_swap = swap; }

    std::uint32_t GetBase() const { return m_base; }
    void SetBase(std::uint32_t base) { m_base = base; }

    virtual std::uint32_t Seek(std::uint32_t position);
    virtual std::uint32_t Skip(std::uint32_t count);
    virtual std::uint32_t Tell() const;
    virtual std::uint32_t SeekFromBase(std::uint32_t offset);
    virtual std::uint32_t TellFromBase() const;
    // Bytes needed to raise value to a multiple of alignment (0 for alignment 0).
    virtual std::uint32_t PaddingFor(std::uint32_t value, std::uint32_t alignment) const;
    virtual std::uint32_t GetSize() const = 0;

protected:
    bool m_swap = false;
    std::uint32_t m_position = 0;
    std::uint32_t m_base = 0;
};

}  // namespace lumo
