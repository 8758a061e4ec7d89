#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "document/app_settings.h"
#include "platform/file_system.h"
#include "roster/bushou_manager.h"

namespace document {

// Earlier face-assignment files kept beside the current one.
inline constexpr std::size_t kKeptBackups = 5;

// The backup name of the face-assignment file as it stood at a time:
// "kaoeditzv.q06.20261209-041838.bak". Names sort in the order of their times.
std::wstring FaceAssignmentBackupName(int edition, const platform::LocalTime& time);

// Copies the face-assignment file, named by its last write (the save it holds), and removes
// all but the newest kKeptBackups. True when the copy was made or there was no file to copy.
bool BackUpFaceAssignments(platform::FileSystem& files, std::wstring_view editDataFolder,
                           int edition);

// What Save writes: the backup first, then every general's current face into the ID archive.
// A backup that cannot be made does not stop the save: the player asked for the write.
bool SaveFaceAssignments(platform::FileSystem& files, const AppSettings& settings,
                         roster::bushou_manager& generals);

}  // namespace document
