#pragma once

#include <string_view>

#include "document/app_settings.h"
#include "document/feedback.h"
#include "platform/file_system.h"

namespace document {

// On the first run the editor has no edit image archives of its own: the game's empty ones are
// copied into the edit data folder, and the large copy's info directory is set to the visible
// size of a large face. Archives already there are left alone. Each size ends with one progress
// step; a failure shows string 429 and fails.
bool PrepareEditArchives(platform::FileSystem& files, const AppSettings& settings,
                         IMessageBox& messages, IProgress& progress);

// Sets the two 16-bit fields at offsets 4 and 6 of every info directory record to 240 and
// leaves the file read-only.
bool PatchLargeEditArchive(platform::FileSystem& files, std::wstring_view path);

}  // namespace document
