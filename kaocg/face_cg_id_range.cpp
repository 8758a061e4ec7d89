#include "kaocg/face_cg_id_range.h"

#include "kaocg/face_number_map.h"
#include "kaocg/image_archive_layout.h"

namespace kaocg_func {
namespace {

// Lookup order; each range is followed by one id of no archive before the next starts.
constexpr std::array<int, 6> kKindOrder{kKindEditLarge,  kKindEditMedium,  kKindEditSmall,
                                        kKindStockLarge, kKindStockMedium, kKindStockSmall};
constexpr std::int32_t kFirstEditId = 1;
constexpr std::int32_t kFirstStockId = 3304;

}  // namespace

std::array<FaceCgIdRange, 6> FaceCgIdRanges(int edition) {
    std::array<FaceCgIdRange, 6> ranges{};
    std::int32_t first = kFirstEditId;
    for (std::size_t i = 0; i < kKindOrder.size(); ++i) {
        const int kind = kKindOrder[i];
        if (kind == kKindStockLarge) {
            first = kFirstStockId;
        }
        const auto count = static_cast<std::int32_t>(EntryCount(kind, edition));
        ranges[i] = FaceCgIdRange{kind, first, first + count - 1};
        first += count + 1;
    }
    return ranges;
}

std::optional<FaceCgSlot> FindFaceCgSlot(int edition, std::int32_t faceCgId) {
    if (edition != kEditionBase && edition != kEditionZV) {
        return std::nullopt;
    }
    for (const FaceCgIdRange& range : FaceCgIdRanges(edition)) {
        if (faceCgId >= range.first && faceCgId <= range.last) {
            return FaceCgSlot{range.kind, static_cast<std::uint32_t>(faceCgId - range.first)};
        }
    }
    return std::nullopt;
}

}  // namespace kaocg_func
