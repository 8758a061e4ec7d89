#include "lumo/io/bit_field.h"

namespace lumo::bitfield {
namespace {

std::uint64_t Mask(unsigned bits) {
    return bits >= 64 ? ~0ULL : (1ULL << bits) - 1;
}

}  // namespace

std::uint64_t ToSwappedOrder(std::uint64_t value, unsigned width, BitFieldLayout layout) {
    std::uint64_t stored = 0;
    unsigned from = 0;
    unsigned to = width;
    for (unsigned bits : layout) {
        if (bits == 0 || bits > to) {
            break;
        }
        to -= bits;
        stored |= ((value >> from) & Mask(bits)) << to;
        from += bits;
    }
    return stored;
}

std::uint64_t FromSwappedOrder(std::uint64_t stored, unsigned width, BitFieldLayout layout) {
    std::uint64_t value = 0;
    unsigned to = 0;
    unsigned from = width;
    for (unsigned bits : layout) {
        if (bits == 0 || bits > from) {
            break;
        }
        from -= bits;
        value |= ((stored >> from) & Mask(bits)) << to;
        to += bits;
    }
    return value;
}

}  // namespace lumo::bitfield
