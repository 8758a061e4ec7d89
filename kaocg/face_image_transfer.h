#pragma once

#include <cstdint>
#include <string_view>

#include "kaocg/archive_context.h"
#include "kaocg/transfer_mode.h"
#include "picture/dib.h"

namespace kaocg_func {

// Reads or writes the picture of one face CG id in the image archive that holds it; both
// folders end in a separator. The archive is opened exclusively and closed again within the
// call, and is never created here.
//
// Load: the slot decoded into a top-down 32-bit picture; the picture changes only on success.
// With checkHeader the header must match the kind and edition and the slot's offset comes
// from the file's table; without it the default layout is used.
// Save: edit archives only, from a 24-bit picture of the kind's texture size; the slot goes
// to its default offset and its used-slot bit is set. With checkHeader the header and the
// whole table are rewritten in the default layout first.
//
// Edit archives are kept read-only between calls: the attribute is cleared before the open
// and set again afterwards, whatever happened in between. An id that belongs to no archive
// fails before any file is touched.
bool TransferFaceImage(const ArchiveContext& context, std::wstring_view editDataFolder,
                       std::int32_t faceCgId, picture::CDIB& picture,
                       std::wstring_view stockDataFolder, TransferMode mode, bool checkHeader);

// Whether the slot of a face CG id holds a picture: it decodes in the default layout and has
// a non-zero byte. Note the order of the folders, the stock one first.
bool IsFaceImagePresent(const ArchiveContext& context, std::int32_t faceCgId,
                        std::wstring_view stockDataFolder, std::wstring_view editDataFolder);

}  // namespace kaocg_func
