#pragma once

#include <cstdint>

#include "platform/file_system.h"

namespace kaocg_func {

// Archive integers are little-endian whatever the host is.

// True when all four bytes were read; value is left alone otherwise.
bool ReadU32LE(platform::File& file, std::uint32_t& value);
bool WriteU32LE(platform::File& file, std::uint32_t value);

}  // namespace kaocg_func
