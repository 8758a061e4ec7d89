#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"
#include "platform/wine_paths.h"

namespace platform {

// The user's documents folder as a Windows path with a trailing backslash, found where Wine's
// own programs look: "Personal" under Explorer's "User Shell Folders" key, its variables
// expanded (ExpandShellVariables); else "Personal" under "Shell Folders", the cache of the
// expanded paths; either only when it gives an absolute path. Else C:\users\<name>\Documents
// for the first name whose profile folder exists among userNames (the host user for Wine,
// "steamuser" in Proton's prefixes), else for the first name, which is also the profile the
// variables name. Wine links that folder to the host's documents folder; mapping the path follows
// it.
std::wstring FindDocumentsFolder(const Registry& registry, const WinePaths& paths,
                                 const std::vector<std::wstring>& userNames);

// The name Wine gives the host user's profile: the account name, else the user number.
std::wstring HostUserName();

}  // namespace platform
