#pragma once

#include <cstdint>

namespace lumo {

// IEEE 754 binary16 <-> binary32. Subnormals, infinities and NaN payloads survive; encoding
// rounds to nearest, ties to even, and overflows to infinity.
float HalfToFloat(std::uint16_t half);
std::uint16_t FloatToHalf(float value);

}  // namespace lumo
