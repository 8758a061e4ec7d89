#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace kaocg_demo {

using MakeSlotFn =
    std::function<bool(std::uint32_t slot, std::vector<std::uint8_t>& bytes, std::string& error)>;
using WriteSlotFn = std::function<bool(std::uint32_t slot, const std::vector<std::uint8_t>& bytes,
                                       std::string& error)>;

// Makes the bytes of slots 0..count-1 and hands them to write in slot order, stopping at the
// first failure. Drawing and compressing a face is the slow part of an archive, so unless
// serial is set the slots of a batch are made on several threads; make must be safe to run
// concurrently. Writing stays on the calling thread.
bool RunSlotBatches(std::uint32_t count, bool serial, const MakeSlotFn& make,
                    const WriteSlotFn& write, std::string& error);

}  // namespace kaocg_demo
