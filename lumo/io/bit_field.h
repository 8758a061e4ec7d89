#pragma once

#include <cstdint>

#include "lumo/io/binary_stream.h"

namespace lumo::bitfield {

// Big-endian files keep packed fields in big-endian bit order: the fields are taken from the
// least significant end of the value in list order and laid down from the most significant
// end of the stored word. Bits beyond the listed fields are dropped.
std::uint64_t ToSwappedOrder(std::uint64_t value, unsigned width, BitFieldLayout layout);
std::uint64_t FromSwappedOrder(std::uint64_t stored, unsigned width, BitFieldLayout layout);

}  // namespace lumo::bitfield
