#pragma once

#include <cstdint>

#include "kaocg/face_size.h"

namespace kaocg_func {

// The six face image archives: a 32-byte header ("LINK", entry count, 32, entry count again,
// info directory offset, 12 reserved bytes), a table of N (offset, size) records, an info
// directory of N 12-byte records, then one slot of S bytes per entry, each slot one G1T file.
// The edit archives end with a 138-byte used-slot bitmap.
enum ArchiveKind : int {
    kKindStockLarge = 0,
    kKindStockMedium = 1,
    kKindStockSmall = 2,
    kKindEditLarge = 3,
    kKindEditMedium = 4,
    kKindEditSmall = 5,
};

constexpr std::uint32_t kArchiveHeaderSize = 32;
constexpr std::uint32_t kInfoRecordSize = 12;
constexpr std::uint32_t kUsedSlotBitmapSize = 138;
constexpr std::uint32_t kEditEntryCount = 1100;

inline bool IsEditKind(int kind) {
    return kind >= kKindEditLarge && kind <= kKindEditSmall;
}

// Entries of an archive kind in an edition (0 base, 1 ZV).
constexpr std::uint32_t EntryCount(int kind, int edition) {
    return kind >= kKindEditLarge ? kEditEntryCount : edition == 1 ? 1598u : 1456u;
}

// Bytes of one slot: a G1T file with the extended texture header and 4-byte pixels.
constexpr std::uint32_t EntrySize(int kind) {
    switch (kind % 3) {
        case 0:
            return 262200;  // 256 x 256
        case 1:
            return 65592;  // 128 x 128
        default:
            return 16440;  // 64 x 64
    }
}

// The face size index of a kind: large, medium, small in both the stock and the edit kinds.
constexpr int FaceSizeOfKind(int kind) {
    return kSizeLarge - kind % 3;
}

// Side of the square texture of a kind: 256, 128 or 64.
constexpr std::uint32_t TextureSide(int kind) {
    return static_cast<std::uint32_t>(FaceDimensionsOf(FaceSizeOfKind(kind)).texture);
}

// 32 + 8 N rounded up to a multiple of 32.
constexpr std::uint32_t InfoDirectoryOffset(int kind, int edition) {
    return (kArchiveHeaderSize + 8 * EntryCount(kind, edition) + 31) / 32 * 32;
}

// Where slot data begins when the offsets are not read from the file: the end of the base
// edition's info directory for the stock kinds, 22048 for the edit kinds.
constexpr std::uint32_t DefaultFirstSlotOffset(int kind) {
    return kind >= kKindEditLarge ? 22048u : 29152u;
}

constexpr std::uint64_t DefaultSlotOffset(int kind, std::uint32_t slot) {
    return DefaultFirstSlotOffset(kind) + std::uint64_t{slot} * (EntrySize(kind) + 8);
}

// The used-slot bitmap of an edit archive follows the last slot.
constexpr std::uint64_t UsedSlotBitmapOffset(int kind) {
    return std::uint64_t{EntrySize(kind) + 28} * kEditEntryCount + 40;
}

static_assert(InfoDirectoryOffset(kKindStockLarge, 0) == 11680);
static_assert(InfoDirectoryOffset(kKindStockLarge, 1) == 12832);
static_assert(InfoDirectoryOffset(kKindEditSmall, 1) == 8832);
static_assert(UsedSlotBitmapOffset(kKindEditLarge) == 288450840);
static_assert(UsedSlotBitmapOffset(kKindEditMedium) == 72182040);
static_assert(UsedSlotBitmapOffset(kKindEditSmall) == 18114840);
static_assert(DefaultSlotOffset(kKindEditSmall, 1099) == 18098400);
static_assert(DefaultSlotOffset(kKindEditLarge, kEditEntryCount - 1) + EntrySize(kKindEditLarge) ==
              UsedSlotBitmapOffset(kKindEditLarge));

}  // namespace kaocg_func
