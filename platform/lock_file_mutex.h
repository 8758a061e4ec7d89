#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/process.h"

namespace platform {

// Named mutexes between the editor's processes: one lock file per name in a folder private
// to the user, held with flock for the life of the NamedMutex. The kernel drops the lock
// when the holder dies, so a crash never leaves a mutex behind. Lock files are never removed:
// removing one while another process opens it would let two holders in.
//
// name is the object's full name ("Global\\..."). Nothing when another holder has the name, or when
// the folder is not one that only this user can write (it is created, mode 0700, when missing).
std::unique_ptr<NamedMutex> OpenLockFileMutex(const std::string& folder, std::wstring_view name);
// Who holds the name, found without taking it, so that two processes asking at the same
// moment never see each other as the holder: nothing when free, else the holder's process
// id (0 when it cannot be told).
std::optional<int> LockFileMutexHolder(const std::string& folder, std::wstring_view name);

// The same lock on one file of any folder (created, mode 0600, when missing).
std::unique_ptr<NamedMutex> HoldFileLock(const std::string& path);
std::optional<int> FileLockHolder(const std::string& path);

// $XDG_RUNTIME_DIR when it names an existing folder of this user, else
// /tmp/kaocg-<user number>.
std::string DefaultLockFolder();
// /tmp/kaocg-<user number>, whatever the session's runtime folder is.
std::string SessionIndependentLockFolder();

}  // namespace platform
