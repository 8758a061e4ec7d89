#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Expands the %NAME% variables that Wine sets for a user's programs, in a registry value such
// as the shell folders of "User Shell Folders": USERPROFILE, USERNAME, HOMEDRIVE, HOMEPATH,
// SystemDrive, SystemRoot, windir, PUBLIC, ALLUSERSPROFILE and ProgramData, names without
// regard to case. Nothing when the text names any other variable or leaves a % unmatched: a
// folder guessed from half a path would be the wrong folder.
std::optional<std::wstring> ExpandShellVariables(std::wstring_view text,
                                                 std::wstring_view profileName);

}  // namespace platform
