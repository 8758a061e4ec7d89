#pragma once

#include <cstdint>
#include <ctime>
#include <span>
#include <string>

namespace kaocg_demo {

// Small file operations of the prefix writer. Each reports failure with a message naming the
// path and the system's reason.

// Creates the folder and its missing parents.
bool MakeFolders(const std::string& path, std::string& error);
// Replaces path with bytes through a temporary file, so a reader sees the old file or the new
// one, never a part.
bool WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                         std::string& error);
// Points the link at path to target, replacing whatever link was there in one step.
bool ReplaceSymlink(const std::string& target, const std::string& path, std::string& error);
// Sets the file's modification (and access) time.
bool SetModificationTime(const std::string& path, std::time_t when, std::string& error);

}  // namespace kaocg_demo
