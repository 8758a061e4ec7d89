#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"
#include "platform/wine_paths.h"

namespace platform {

// The user's documents folder as a Windows path with a trailing backslash: "Personal" under
// Explorer's "Shell Folders" key when it holds an absolute path (Wine writes it expanded),
// else C:\users\<name>\Documents for the first name whose profile folder exists among
// userNames (the host user for Wine, "steamuser" in Proton's prefixes), else for the first
// name. Wine links that folder to the host's documents folder; mapping the path follows it.
std::wstring FindDocumentsFolder(const Registry& registry, const WinePaths& paths,
                                 const std::vector<std::wstring>& userNames);

// The name Wine gives the host user's profile: the account name, else the user number.
std::wstring HostUserName();

}  // namespace platform
