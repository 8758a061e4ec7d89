#include "kaocg/kao_cg_image_archive.h"

#include <array>

#include "kaocg/face_cg_id_range.h"
#include "kaocg/face_texture.h"

namespace kaocg_func {
namespace {

constexpr std::uint32_t kTableRecordSize = 8;

std::optional<std::uint32_t> SlotIn(int edition, int kind, std::int32_t faceCgId) {
    const std::optional<FaceCgSlot> found = FindFaceCgSlot(edition, faceCgId);
    if (!found || found->kind != kind) {
        return std::nullopt;
    }
    return found->slot;
}

}  // namespace

CKaoCGImageArchive::CKaoCGImageArchive(platform::File* file, TransferMode mode,
                                       picture::CDIB* picture, int edition, std::int32_t faceCgId,
                                       int kind)
    : CKaoCGArchive(file, mode), picture_(picture), kind_(kind), edition_(edition) {
    slot_ = SlotIn(edition, kind, faceCgId);
    if (!slot_) {
        return;
    }
    header_ = RequiredImageArchiveHeader(kind, edition);
    entrySize_ = EntrySize(kind);
    offsets_.resize(header_.entryCount);
    for (std::uint32_t i = 0; i < header_.entryCount; ++i) {
        offsets_[i] = static_cast<std::uint32_t>(DefaultSlotOffset(kind, i));
    }
}

bool CKaoCGImageArchive::SerializeHeader() {
    if (!CanTransfer() || !Usable()) {
        return false;
    }
    return IsLoading() ? LoadHeader() : SaveHeader();
}

bool CKaoCGImageArchive::SaveHeader() {
    // The game's own archives are never written, nor a file too short to be an edit archive
    // of this kind: everything is checked before the first byte goes out.
    if (!IsEditKind(kind_) || header_ != RequiredImageArchiveHeader(kind_, edition_) ||
        !ReachesPastItsBitmap()) {
        return false;
    }
    std::vector<std::uint8_t> bytes(kArchiveHeaderSize + kTableRecordSize * offsets_.size());
    StoreImageArchiveHeader(header_, std::span(bytes).first<kArchiveHeaderSize>());
    for (std::uint32_t i = 0; i < offsets_.size(); ++i) {
        std::uint8_t* record = &bytes[kArchiveHeaderSize + kTableRecordSize * i];
        StoreU32LE(record, static_cast<std::uint32_t>(DefaultSlotOffset(kind_, i)));
        StoreU32LE(record + 4, entrySize_);
    }
    return File()->Seek(0) && File()->Write(bytes.data(), bytes.size());
}

// A file too short for its used-slot bitmap is not an edit archive (or was cut off): writing
// into it would only grow it without making it one.
bool CKaoCGImageArchive::ReachesPastItsBitmap() const {
    return File()->Size() >= UsedSlotBitmapOffset(kind_) + kUsedSlotBitmapSize;
}

// The header and the table are read in one piece each: the editor reads thousands of faces at
// start-up, and every read of the platform file is a call into the system.
bool CKaoCGImageArchive::LoadHeader() {
    std::array<std::uint8_t, kArchiveHeaderSize> head{};
    if (!File()->Seek(0) || File()->Read(head.data(), head.size()) != head.size()) {
        return false;
    }
    header_ = ParseImageArchiveHeader(head);
    std::vector<std::uint8_t> table(kTableRecordSize * offsets_.size());
    if (File()->Read(table.data(), table.size()) != table.size()) {
        return false;
    }
    for (std::size_t i = 0; i < offsets_.size(); ++i) {
        offsets_[i] = LoadU32LE(&table[kTableRecordSize * i]);
    }
    return header_ == RequiredImageArchiveHeader(kind_, edition_);
}

bool CKaoCGImageArchive::SerializeBody() {
    if (!CanTransfer() || !Usable() || picture_ == nullptr) {
        return false;
    }
    std::vector<std::uint8_t> buffer(entrySize_);
    return IsLoading() ? LoadSlot(buffer) : SaveSlot(buffer);
}

bool CKaoCGImageArchive::LoadSlot(std::vector<std::uint8_t>& buffer) {
    // A damaged table may point anywhere; a slot that the file does not hold whole is not
    // read at all.
    const std::uint64_t offset = offsets_[*slot_];
    if (offset + buffer.size() > File()->Size() || !File()->Seek(offset) ||
        File()->Read(buffer.data(), buffer.size()) != buffer.size()) {
        return false;
    }
    return DecodeFaceTexture(buffer, *picture_);
}

bool CKaoCGImageArchive::SaveSlot(std::vector<std::uint8_t>& buffer) {
    if (!IsEditKind(kind_) || !EncodeFaceTexture(*picture_, kind_, buffer)) {
        return false;
    }
    if (!ReachesPastItsBitmap()) {
        return false;  // checked here as well for saves without the header
    }
    if (!File()->Seek(offsets_[*slot_]) || !File()->Write(buffer.data(), buffer.size())) {
        return false;
    }
    return MarkSlotUsed();
}

// The bitmap records which slots were ever written; a bit is set, never cleared.
bool CKaoCGImageArchive::MarkSlotUsed() {
    std::array<std::uint8_t, kUsedSlotBitmapSize> bitmap{};
    const std::uint64_t at = UsedSlotBitmapOffset(kind_);
    if (!File()->Seek(at) || File()->Read(bitmap.data(), bitmap.size()) != bitmap.size()) {
        return false;
    }
    bitmap[*slot_ / 8] |= static_cast<std::uint8_t>(1u << (*slot_ % 8));
    return File()->Seek(at) && File()->Write(bitmap.data(), bitmap.size());
}

}  // namespace kaocg_func
