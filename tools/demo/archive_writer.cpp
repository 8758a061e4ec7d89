#include "tools/demo/archive_writer.h"

#include <array>
#include <cstring>

#include "kaocg/face_number_map.h"
#include "kaocg/image_archive_layout.h"
#include "tools/demo/face_painter.h"
#include "tools/demo/slot_batches.h"
#include "tools/demo/slot_texture.h"
#include "tools/demo/sparse_file_writer.h"

namespace kaocg_demo {
namespace {

using namespace kaocg_func;

void PutU16(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint16_t value) {
    bytes[at] = static_cast<std::uint8_t>(value);
    bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void PutU32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
    PutU16(bytes, at, static_cast<std::uint16_t>(value));
    PutU16(bytes, at + 2, static_cast<std::uint16_t>(value >> 16));
}

// Kind 0, 3 large; 1, 4 medium; 2, 5 small, as face size indexes.
int FaceSizeOf(int kind) {
    return kSizeLarge - kind % 3;
}

// Everything a slot's bytes depend on besides its index.
struct SlotPlan {
    int kind = 0;
    int edition = 0;
    bool blank = false;
    FaceGeometry geometry;
    // Blank slots all look alike: one texture per format, made once.
    std::array<std::vector<std::uint8_t>, 3> blankTextures;
};

bool MakeBlankTextures(SlotPlan& plan, std::string& error) {
    for (SlotFormat format : {SlotFormat::kBgra8, SlotFormat::kDxt1, SlotFormat::kDxt5}) {
        if (!BuildBlankSlotTexture(plan.geometry.side, format,
                                   plan.blankTextures[static_cast<std::size_t>(format)], error)) {
            return false;
        }
    }
    return true;
}

bool MakeSlot(const SlotPlan& plan, std::uint32_t slot, std::vector<std::uint8_t>& out,
              std::string& error) {
    if (IsEditKind(plan.kind)) {
        out = plan.blankTextures[static_cast<std::size_t>(SlotFormat::kBgra8)];
        return true;
    }
    const SlotFormat format = StockSlotFormat(slot);
    if (plan.blank) {
        out = plan.blankTextures[static_cast<std::size_t>(format)];
        return true;
    }
    const int size = FaceSizeOf(plan.kind);
    const std::int32_t id = StockFirst(plan.edition, size) + static_cast<std::int32_t>(slot);
    const std::vector<std::uint8_t> rgba =
        PaintFace(StockFaceNumberOf(plan.edition, id), plan.geometry);
    return BuildSlotTexture(rgba, plan.geometry.side, format, out, error);
}

std::uint64_t ArchiveEnd(int kind, int edition) {
    if (IsEditKind(kind)) {
        return UsedSlotBitmapOffset(kind) + kUsedSlotBitmapSize;
    }
    return DefaultSlotOffset(kind, EntryCount(kind, edition) - 1) + EntrySize(kind);
}

bool WriteSlots(SparseFileWriter& writer, const SlotPlan& plan, const std::string& path,
                std::string& error) {
    const std::uint32_t count = EntryCount(plan.kind, plan.edition);
    const auto make = [&plan, &path](std::uint32_t slot, std::vector<std::uint8_t>& out,
                                     std::string& why) {
        if (MakeSlot(plan, slot, out, why)) {
            return true;
        }
        why = path + ": slot " + std::to_string(slot) + ": " + why;
        return false;
    };
    const auto write = [&](std::uint32_t slot, const std::vector<std::uint8_t>& bytes,
                           std::string& why) {
        if (bytes.size() > EntrySize(plan.kind)) {
            why = path + ": slot " + std::to_string(slot) + " does not fit its entry";
            return false;
        }
        return writer.SkipTo(DefaultSlotOffset(plan.kind, slot), why) && writer.Write(bytes, why);
    };
    return RunSlotBatches(count, plan.blank || IsEditKind(plan.kind), make, write, error);
}

}  // namespace

std::vector<std::uint8_t> ArchiveHead(int kind, int edition) {
    const std::uint32_t count = EntryCount(kind, edition);
    const std::uint32_t infoOffset = InfoDirectoryOffset(kind, edition);
    const std::uint32_t firstSlot = DefaultFirstSlotOffset(kind);
    std::vector<std::uint8_t> head(firstSlot, 0);
    std::memcpy(head.data(), "LINK", 4);
    PutU32(head, 4, count);
    PutU32(head, 8, kArchiveHeaderSize);
    PutU32(head, 12, count);
    PutU32(head, 16, infoOffset);
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::size_t at = kArchiveHeaderSize + std::size_t{8} * i;
        PutU32(head, at, static_cast<std::uint32_t>(DefaultSlotOffset(kind, i)));
        PutU32(head, at + 4, EntrySize(kind));
    }
    const auto side = static_cast<std::uint16_t>(TextureSide(kind));
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::size_t at = infoOffset + std::size_t{kInfoRecordSize} * i;
        if (at + kInfoRecordSize > firstSlot) {
            break;
        }
        PutU16(head, at + 4, side);
        PutU16(head, at + 6, side);
    }
    return head;
}

bool WriteImageArchive(const std::string& path, int kind, int edition, bool blank,
                       std::string& error) {
    if (kind < kKindStockLarge || kind > kKindEditSmall ||
        (edition != kEditionBase && edition != kEditionZV)) {
        error = path + ": no archive of kind " + std::to_string(kind) + " in edition " +
                std::to_string(edition);
        return false;
    }
    SlotPlan plan;
    plan.kind = kind;
    plan.edition = edition;
    plan.blank = blank;
    plan.geometry = FaceGeometryOf(FaceSizeOf(kind));
    if (!MakeBlankTextures(plan, error)) {
        error = path + ": " + error;
        return false;
    }
    SparseFileWriter writer;
    if (!writer.Open(path, error) || !writer.Write(ArchiveHead(kind, edition), error)) {
        return false;
    }
    return WriteSlots(writer, plan, path, error) &&
           writer.SkipTo(ArchiveEnd(kind, edition), error) && writer.Commit(error);
}

}  // namespace kaocg_demo
