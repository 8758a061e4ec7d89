#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace kaocg_tool {

// Inputs are read whole; anything larger than this is refused rather than allocated.
constexpr std::uint64_t kMaxInputSize = std::uint64_t{1} << 30;

// The whole content of a regular file. Throws ToolError on any failure.
std::vector<std::uint8_t> ReadWholeFile(const std::string& path);

// Replaces path with bytes so that a crash or a full disk never leaves a half-written file:
// the bytes go to a temporary file in the same folder, which is synced and renamed over path.
// Throws ToolError on any failure, removing the temporary file.
void WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace kaocg_tool
