#pragma once

#include <cstddef>

namespace testsupport {

// The largest single allocation made through operator new (every unaligned form) since the
// last reset. Robustness tests use it to show that no value in a damaged file makes a reader
// ask for more memory than the file's bytes could describe. Linking allocation_probe replaces
// the program's operator new and delete.
void ResetLargestAllocation();
std::size_t LargestAllocation();
// The sum of all allocations since the last reset, freed or not: many small copies of one
// thing add up here where the largest allocation would not show them.
std::size_t TotalAllocation();

}  // namespace testsupport
