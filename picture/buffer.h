#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace picture {

// A zeroed buffer of `size` bytes, or nothing when memory runs out: allocation failures stay
// inside the library as failed operations.
std::optional<std::vector<std::uint8_t>> ZeroedBuffer(std::uint64_t size);

}  // namespace picture
