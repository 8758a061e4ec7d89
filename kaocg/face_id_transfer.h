#pragma once

#include <span>
#include <string_view>

#include "kaocg/archive_context.h"
#include "kaocg/face_slot_table.h"
#include "kaocg/transfer_mode.h"

namespace kaocg_func {

// Reads or writes the edition's ID archive (kaoedit.q06 or kaoeditzv.q06) in the edit data
// folder, which ends in a separator. Both directions leave the table untouched on failure.
//
// Load: a ZV-edition load that finds no file of its own imports the base edition's file
// instead (ImportBaseEditionFaceIds), which is why the roster's generals are passed in.
// Save: the archive is built in memory and replaces the old file in one step, so a crash or
// a full disk leaves the previous archive whole; a read-only archive is made writable first.
bool TransferFaceIdArchive(const ArchiveContext& context, std::wstring_view editDataFolder,
                           FaceSlotTable& table, TransferMode mode,
                           std::span<const GeneralDefault> generals);

// Reads the base edition's kaoedit.q06 into table and marks every listed general's entry as
// imported: codes 1665 and 1670 always take their shipped face, 1685 does when the file
// holds 4007 for it, and a general without an entry takes its shipped face. Other entries
// keep the file's values. False, with the table untouched, when the file cannot be read.
bool ImportBaseEditionFaceIds(const ArchiveContext& context, std::wstring_view editDataFolder,
                              FaceSlotTable& table, std::span<const GeneralDefault> generals);

}  // namespace kaocg_func
