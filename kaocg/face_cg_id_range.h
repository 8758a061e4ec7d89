#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace kaocg_func {

// The face CG ids of one image archive: first..last, slot i being id first + i.
struct FaceCgIdRange {
    int kind;  // ArchiveKind
    std::int32_t first;
    std::int32_t last;
};

// The six ranges of an edition in the order ids are looked up: the edit archives large,
// medium and small, then the stock archives in the same order. The ids between the ranges
// belong to no archive.
std::array<FaceCgIdRange, 6> FaceCgIdRanges(int edition);

// Where the picture of a face CG id lies.
struct FaceCgSlot {
    int kind;  // ArchiveKind
    std::uint32_t slot;
};

// Nothing for an id outside every range, or for an edition other than base or ZV.
std::optional<FaceCgSlot> FindFaceCgSlot(int edition, std::int32_t faceCgId);

}  // namespace kaocg_func
