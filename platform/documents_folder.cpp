#include "platform/documents_folder.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <optional>
#include <utility>
#include <vector>

#include "lumo/io/utf.h"
#include "platform/shell_variables.h"

namespace platform {
namespace {

constexpr std::wstring_view kUserShellFolders =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
constexpr std::wstring_view kShellFolders =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

bool IsAbsoluteWindowsPath(std::wstring_view path) {
    return SplitWindowsPath(path).has_value() && path.size() >= 3 && !path.starts_with(L"\\");
}

std::wstring WithTrailingBackslash(std::wstring path) {
    if (!path.ends_with(L'\\') && !path.ends_with(L'/')) {
        path += L'\\';
    }
    return path;
}

bool IsFolder(const WinePaths& paths, const std::wstring& path) {
    const auto host = paths.ToHost(path);
    struct stat info {};
    return host && ::stat(host->c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// The profile Wine made: the first name whose folder exists, else the first name.
std::wstring ProfileName(const WinePaths& paths, const std::vector<std::wstring>& userNames) {
    for (const std::wstring& name : userNames) {
        if (!name.empty() && IsFolder(paths, L"C:\\users\\" + name)) {
            return name;
        }
    }
    return userNames.empty() ? std::wstring() : userNames.front();
}

std::optional<std::wstring> AbsoluteFolder(std::optional<std::wstring> path) {
    if (!path || !IsAbsoluteWindowsPath(*path)) {
        return std::nullopt;
    }
    return WithTrailingBackslash(std::move(*path));
}

}  // namespace

std::wstring FindDocumentsFolder(const Registry& registry, const WinePaths& paths,
                                 const std::vector<std::wstring>& userNames) {
    const std::wstring profile = ProfileName(paths, userNames);
    if (const auto personal = registry.ReadString(kUserShellFolders, L"Personal")) {
        if (const auto folder = AbsoluteFolder(ExpandShellVariables(*personal, profile))) {
            return *folder;
        }
    }
    if (const auto folder = AbsoluteFolder(registry.ReadString(kShellFolders, L"Personal"))) {
        return *folder;
    }
    if (profile.empty()) {
        return {};
    }
    return L"C:\\users\\" + profile + L"\\Documents\\";
}

std::wstring HostUserName() {
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
        found->pw_name != nullptr && found->pw_name[0] != '\0') {
        return lumo::Utf8ToWide(found->pw_name);
    }
    return std::to_wstring(::getuid());
}

}  // namespace platform
