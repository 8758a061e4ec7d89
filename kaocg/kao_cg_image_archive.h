#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "kaocg/image_archive_header.h"
#include "kaocg/kao_cg_archive.h"
#include "picture/dib.h"

namespace kaocg_func {

// One slot of one face image archive (ArchiveKind), moved in one direction. The picture is
// borrowed: the source of a save, the destination of a load.
//
// The offset table starts out in the default layout. A load of the header replaces it with
// the file's offsets; a save always writes the default layout, so the slots of an archive the
// editor writes never move.
class CKaoCGImageArchive : public CKaoCGArchive {
public:
    // An id outside the kind's range in the edition, or an unknown kind or edition, leaves an
    // archive on which every operation fails.
    CKaoCGImageArchive(platform::File* file, TransferMode mode, picture::CDIB* picture, int edition,
                       std::int32_t faceCgId, int kind);

    // Save: edit kinds only, into a file long enough to be an archive of the kind (checked
    // before anything is written); the header and the whole table. Load: fails unless the header is
    // exactly the one the kind and edition require.
    bool SerializeHeader() override;
    // Save: the encoded picture into the slot, then the slot's bit in the used-slot bitmap.
    // Load: the slot decoded into the picture, which changes only on success.
    bool SerializeBody() override;

    std::optional<std::uint32_t> Slot() const { return slot_; }
    // The table as it stands: the default layout, or the file's after a header load.
    std::span<const std::uint32_t> Offsets() const { return offsets_; }

private:
    bool Usable() const { return slot_.has_value(); }
    bool SaveHeader();
    bool ReachesPastItsBitmap() const;
    bool LoadHeader();
    bool SaveSlot(std::vector<std::uint8_t>& buffer);
    bool LoadSlot(std::vector<std::uint8_t>& buffer);
    bool MarkSlotUsed();

    picture::CDIB* picture_;
    std::optional<std::uint32_t> slot_;
    int kind_;
    int edition_;
    ImageArchiveHeader header_;
    std::vector<std::uint32_t> offsets_;
    std::uint32_t entrySize_ = 0;
};

}  // namespace kaocg_func
