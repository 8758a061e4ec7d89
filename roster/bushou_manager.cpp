#include "roster/bushou_manager.h"

#include "kaocg/face_id_transfer.h"

namespace roster {

using kaocg_func::FaceSlotTable;

bool bushou_manager::build() {
    release();
    const std::span<const RosterRow> table = RosterTable(edition_);
    records_ = std::make_unique<bushou[]>(table.size());
    generals_.reserve(table.size());
    for (std::size_t i = 0; i < table.size(); ++i) {
        records_[i].Bind(table, static_cast<std::int32_t>(i));
        generals_.push_back(&records_[i]);
    }
    return true;
}

void bushou_manager::release() {
    generals_.clear();
    records_.reset();
}

bushou* bushou_manager::at(int index) const {
    if (index < 0 || index >= count()) {
        return nullptr;
    }
    return generals_[static_cast<std::size_t>(index)];
}

std::vector<kaocg_func::GeneralDefault> bushou_manager::GeneralDefaults() const {
    std::vector<kaocg_func::GeneralDefault> generals;
    for (const bushou* general : generals_) {
        if (general->IsValid()) {
            generals.push_back({general->Code(), general->DefaultFace()});
        }
    }
    return generals;
}

bool bushou_manager::ApplyFaceAssignments(const kaocg_func::ArchiveContext& context,
                                          std::wstring_view editDataFolder) {
    if (context.edition != edition_) {
        return false;
    }
    FaceSlotTable table;
    table.fill(kaocg_func::kNoFaceEntry);
    const std::vector<kaocg_func::GeneralDefault> generals = GeneralDefaults();
    if (!kaocg_func::TransferFaceIdArchive(context, editDataFolder, table,
                                           kaocg_func::TransferMode::Load, generals)) {
        return false;
    }
    for (bushou* general : generals_) {
        if (general->IsValid()) {
            ApplyEntry(*general, table[static_cast<std::size_t>(general->Code())]);
        }
    }
    return true;
}

// An imported entry (bit 31) sets the face but not the saved face, so a general whose
// imported face differs from its default shows as changed until the first save.
void bushou_manager::ApplyEntry(bushou& general, std::uint32_t entry) const {
    const bool fixed = FixedFaceOf(general.Code()) >= 0;
    if (entry == kaocg_func::kNoFaceEntry) {
        // No face recorded: the general keeps the face the game ships.
        if (!fixed) {
            general.SetFaces(general.DefaultFace(), general.DefaultFace());
        }
        return;
    }
    const auto face = static_cast<std::int32_t>(entry & kaocg_func::kFaceNumberMask);
    const bool imported = (entry & kaocg_func::kImportedFlag) != 0;
    const std::int32_t current = fixed ? general.CurrentFace() : face;
    general.SetFaces(current, imported ? general.SavedFace() : current);
}

bool bushou_manager::StoreFaceAssignments(const kaocg_func::ArchiveContext& context,
                                          std::wstring_view editDataFolder) {
    if (context.edition != edition_) {
        return false;
    }
    FaceSlotTable table;
    table.fill(kaocg_func::kNoFaceEntry);
    for (const bushou* general : generals_) {
        if (general->IsValid()) {
            table[static_cast<std::size_t>(general->Code())] =
                static_cast<std::uint32_t>(general->ShownFaceNumber());
        }
    }
    const std::vector<kaocg_func::GeneralDefault> generals = GeneralDefaults();
    if (!kaocg_func::TransferFaceIdArchive(context, editDataFolder, table,
                                           kaocg_func::TransferMode::Save, generals)) {
        return false;
    }
    for (bushou* general : generals_) {
        if (general->IsValid()) {
            general->SetFaces(general->CurrentFace(), general->CurrentFace());
        }
    }
    return true;
}

bool bushou_manager::HasUnsavedChanges() const {
    for (const bushou* general : generals_) {
        if (general->IsValid() && general->CurrentFace() != general->SavedFace()) {
            return true;
        }
    }
    return false;
}

bool bushou_manager::DiffersFromShipped() const {
    for (const bushou* general : generals_) {
        if (general->IsValid() && general->CurrentFace() != general->DefaultFace()) {
            return true;
        }
    }
    return false;
}

}  // namespace roster
