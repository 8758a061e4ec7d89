#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "picture/pixel_access.h"

namespace picture {

// One colour channel of a BI_BITFIELDS pixel: a contiguous run of `bits` bits from `shift`.
struct BitField {
    std::uint32_t mask = 0;
    int shift = 0;
    int bits = 0;
};

// Red, green and blue, in that order.
using BitFields = std::array<BitField, 3>;

// The three masks that follow a 40-byte header at `offset` of a 16- or 32-bit file. A channel
// whose mask is 0 reads as 0. A file that ends before its masks gets the usual ones of its bit
// count (5-6-5, or a byte each); nothing when a mask is not one contiguous run of bits.
std::optional<BitFields> ParseBitFields(std::span<const std::uint8_t> file, std::uint64_t offset,
                                        std::uint32_t bitCount);

// A raw 16- or 32-bit pixel through its masks, each field widened to 8 bits by repeating its
// top bits (so 5-6-5 fields give what the fixed 5-6-5 layout gives).
Colour BitFieldsToColour(std::uint32_t raw, const BitFields& fields);

}  // namespace picture
