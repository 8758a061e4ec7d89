#include "picture/bmp_bitfields.h"

#include <bit>

namespace picture {
namespace {

std::uint32_t U32(const std::uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

std::optional<BitField> FieldOf(std::uint32_t mask) {
    if (mask == 0) {
        return BitField{};
    }
    const int shift = std::countr_zero(mask);
    const std::uint32_t run = mask >> shift;
    if ((run & (run + 1)) != 0) {
        return std::nullopt;  // holes in the mask
    }
    return BitField{mask, shift, std::popcount(run)};
}

std::uint8_t Widen(std::uint32_t value, int bits) {
    if (bits >= 8) {
        return static_cast<std::uint8_t>(value >> (bits - 8));
    }
    // Repeating the field from the top keeps 0 at 0 and the largest value at 255.
    std::uint32_t out = 0;
    for (int shift = 8 - bits; shift > -bits; shift -= bits) {
        out |= shift >= 0 ? value << shift : value >> -shift;
    }
    return static_cast<std::uint8_t>(out);
}

}  // namespace

std::optional<BitFields> ParseBitFields(std::span<const std::uint8_t> file, std::uint64_t offset,
                                        std::uint32_t bitCount) {
    std::array<std::uint32_t, 3> masks = bitCount == 16
                                             ? std::array<std::uint32_t, 3>{0xF800, 0x07E0, 0x001F}
                                             : std::array<std::uint32_t, 3>{0xFF0000, 0xFF00, 0xFF};
    if (offset <= file.size() && file.size() - offset >= 12) {
        for (std::size_t i = 0; i < masks.size(); ++i) {
            masks[i] = U32(file.data() + offset + 4 * i);
        }
    }
    BitFields fields;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const std::optional<BitField> field = FieldOf(masks[i]);
        if (!field) {
            return std::nullopt;
        }
        fields[i] = *field;
    }
    return fields;
}

Colour BitFieldsToColour(std::uint32_t raw, const BitFields& fields) {
    std::array<std::uint8_t, 3> channels{};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const BitField& f = fields[i];
        channels[i] = f.bits == 0 ? 0 : Widen((raw & f.mask) >> f.shift, f.bits);
    }
    return {channels[2], channels[1], channels[0]};
}

}  // namespace picture
