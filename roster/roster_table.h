#pragma once

#include <cstdint>
#include <span>

namespace roster {

// One general as the game ships it.
struct RosterRow {
    std::int32_t code;  // 0..2305, unique in its table; the index into the ID archive
    const wchar_t* name;
    std::int32_t defaultFace;  // always a stock face of the edition
};

// The generals of an edition (0 base, 1 ZV) in the game's own order, which is also the order
// of the editor's list; empty for any other edition.
std::span<const RosterRow> RosterTable(int edition);

// The generated tables behind RosterTable.
std::span<const RosterRow> BaseEditionRoster();
std::span<const RosterRow> ZvEditionRoster();

// Generals whose shown face is fixed: they are never edited, never listed, and always stored
// with these faces.
constexpr std::int32_t kFixedFaceCodeA = 338;
constexpr std::int32_t kFixedFaceA = 0;
constexpr std::int32_t kFixedFaceCodeB = 2274;
constexpr std::int32_t kFixedFaceB = 6026;

// The fixed face of a general code, or -1 for an ordinary general.
constexpr std::int32_t FixedFaceOf(std::int32_t code) {
    if (code == kFixedFaceCodeA) {
        return kFixedFaceA;
    }
    return code == kFixedFaceCodeB ? kFixedFaceB : -1;
}

}  // namespace roster
