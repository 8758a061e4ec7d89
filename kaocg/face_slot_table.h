#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace kaocg_func {

// Face numbers indexed by general code, as the ID archive stores them. Bits 0..30 hold the
// face number; bit 31 marks an entry taken over from the base edition's archive.
constexpr std::size_t kFaceSlotCount = 2600;
using FaceSlotTable = std::array<std::uint32_t, kFaceSlotCount>;

constexpr std::uint32_t kNoFaceEntry = 0xFFFFFFFF;
constexpr std::uint32_t kImportedFlag = 0x80000000;
constexpr std::uint32_t kFaceNumberMask = 0x7FFFFFFF;

// A general as the archive code needs to know it: its code (the table index) and the face the
// game ships for it. The roster hands these down so that this layer never depends on it.
struct GeneralDefault {
    std::int32_t code;
    std::int32_t defaultFace;
};

}  // namespace kaocg_func
