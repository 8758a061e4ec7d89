#pragma once

#include <cstddef>

namespace testsupport {

// The largest single allocation made through operator new (every unaligned form) since the
// last reset. Robustness tests use it to show that no value in a damaged file makes a reader
// ask for more memory than the file's bytes could describe. Linking allocation_probe replaces
// the program's operator new and delete.
void ResetLargestAllocation();
std::size_t LargestAllocation();

}  // namespace testsupport
