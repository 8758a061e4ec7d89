#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Windows paths onto the files of a Wine prefix. "X:\a\b" is <prefix>/dosdevices/x:/a/b, the
// drive being whatever Wine's link for it points to. Either separator is accepted; "." and
// ".." are resolved on the Windows side, ".." never climbing above the drive. Like Wine, a
// component that does not exist in its exact case takes the directory entry that matches it
// without regard to case (the first in byte order when several do). Components from the first
// missing one on are kept as spelled, so paths of files still to be made map too.
class WinePaths {
public:
    explicit WinePaths(std::string prefix);

    const std::string& Prefix() const { return m_prefix; }

    // Nothing for paths without a drive letter, for a drive the prefix lacks, and for paths
    // holding a NUL.
    std::optional<std::string> ToHost(std::wstring_view windowsPath) const;

private:
    std::string m_prefix;
};

// The drive letter and the resolved components of an absolute Windows path ("\\?\" before the
// drive is allowed); nothing for other paths.
struct WindowsPath {
    wchar_t drive = 0;  // lower case
    std::vector<std::wstring> components;
};
std::optional<WindowsPath> SplitWindowsPath(std::wstring_view path);

}  // namespace platform
