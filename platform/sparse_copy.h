#pragma once

#include <sys/types.h>

namespace platform {

// Copies the first size bytes of one regular file into another that starts empty, writing
// only the parts that hold data (found with SEEK_DATA / SEEK_HOLE) so that holes stay holes.
// File systems that cannot tell holes get a plain copy.
bool CopySparse(int from, int to, off_t size);

}  // namespace platform
