#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "kaocg/archive_context.h"
#include "kaocg/image_archive_layout.h"

namespace kaocg_func {

// Every byte of an edit image archive that a registration into one slot can change: the
// header with its whole table (a checked save rewrites them in the default layout), the
// slot's data, and the bitmap byte that holds the slot's used bit. Writing back what was read
// before a registration leaves the archive byte for byte as it was.
struct EditSlotBytes {
    std::vector<std::uint8_t> header;  // the 32-byte header and the table of N records
    std::vector<std::uint8_t> slot;    // the slot's S bytes at its default offset
    std::uint8_t bitmapByte = 0;       // byte slot / 8 of the used-slot bitmap

    std::size_t Size() const { return header.size() + slot.size() + 1; }
};

// kind: one of the edit kinds (ArchiveKind 3..5); slot: 0..1099. Nothing when the archive
// cannot be read in full there.
std::optional<EditSlotBytes> ReadEditSlotBytes(const ArchiveContext& context,
                                               std::wstring_view editDataFolder, int kind,
                                               std::uint32_t slot);

// Puts the bytes back in place, with the archive's read-only attribute cleared for the write
// and set again afterwards, as every write of a face does.
bool WriteEditSlotBytes(const ArchiveContext& context, std::wstring_view editDataFolder, int kind,
                        std::uint32_t slot, const EditSlotBytes& bytes);

// The used-slot bitmap of an edit archive; nothing when unreadable.
using UsedSlotBitmap = std::array<std::uint8_t, kUsedSlotBitmapSize>;
std::optional<UsedSlotBitmap> ReadUsedSlotBitmap(const ArchiveContext& context,
                                                 std::wstring_view editDataFolder, int kind);
inline bool IsMarked(const UsedSlotBitmap& bitmap, std::uint32_t slot) {
    return slot / 8 < bitmap.size() && (bitmap[slot / 8] >> (slot % 8) & 1) != 0;
}

// Whether the used-slot bitmap of an edit archive marks the slot; nothing when unreadable.
std::optional<bool> IsEditSlotMarked(const ArchiveContext& context,
                                     std::wstring_view editDataFolder, int kind,
                                     std::uint32_t slot);

}  // namespace kaocg_func
