#pragma once

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

#include "kaocg/archive_context.h"
#include "kaocg/face_slot_table.h"
#include "roster/bushou.h"

namespace roster {

// The generals of one edition, in roster order, and their exchange with the ID archive.
class bushou_manager {
public:
    explicit bushou_manager(int edition) : edition_(edition) {}
    virtual ~bushou_manager() { release(); }
    bushou_manager(const bushou_manager&) = delete;
    bushou_manager& operator=(const bushou_manager&) = delete;

    int Edition() const { return edition_; }

    // One record per roster row, each at its default face. Always succeeds; rebuilding
    // discards every edit.
    bool build();
    void release();
    int count() const { return static_cast<int>(generals_.size()); }
    // nullptr outside 0..count()-1.
    bushou* at(int index) const;

    // Takes every general's face from the ID archive in editDataFolder. False, with nothing
    // changed, when the archive cannot be read (or belongs to another edition than ours).
    bool ApplyFaceAssignments(const kaocg_func::ArchiveContext& context,
                              std::wstring_view editDataFolder);
    // Writes every general's current face to the ID archive; on success the current faces
    // become the saved ones, on failure nothing changes.
    bool StoreFaceAssignments(const kaocg_func::ArchiveContext& context,
                              std::wstring_view editDataFolder);

    bool HasUnsavedChanges() const;
    bool DiffersFromShipped() const;

private:
    std::vector<kaocg_func::GeneralDefault> GeneralDefaults() const;
    void ApplyEntry(bushou& general, std::uint32_t entry) const;

    int edition_;
    std::unique_ptr<bushou[]> records_;
    std::vector<bushou*> generals_;
};

}  // namespace roster
