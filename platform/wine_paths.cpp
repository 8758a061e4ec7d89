#include "platform/wine_paths.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cstdlib>
#include <memory>

#include "lumo/io/utf.h"
#include "platform/case_fold.h"
#include "platform/host_io.h"

namespace platform {
namespace {

struct FreeDeleter {
    void operator()(char* p) const { std::free(p); }
};

bool IsSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

bool IsDriveLetter(wchar_t c) {
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z');
}

bool EntryExists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

// The entry of folder whose name matches name without regard to case; the first such entry
// in byte order, so the choice does not depend on the order the directory lists them in.
std::optional<std::string> FindEntryIgnoringCase(const std::string& folder,
                                                 const std::string& name) {
    UniqueDir dir(::opendir(folder.c_str()));
    if (!dir) {
        return std::nullopt;
    }
    const std::wstring wanted = FoldCase(lumo::Utf8ToWide(name));
    std::optional<std::string> best;
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string candidate = entry->d_name;
        if (candidate == "." || candidate == ".." || (best && candidate >= *best)) {
            continue;
        }
        if (FoldCase(lumo::Utf8ToWide(candidate)) == wanted) {
            best = candidate;
        }
    }
    return best;
}

}  // namespace

std::optional<WindowsPath> SplitWindowsPath(std::wstring_view path) {
    if (path.find(L'\0') != std::wstring_view::npos) {
        return std::nullopt;
    }
    if (path.starts_with(L"\\\\?\\")) {
        path.remove_prefix(4);
    }
    if (path.size() < 2 || !IsDriveLetter(path[0]) || path[1] != L':' ||
        (path.size() > 2 && !IsSeparator(path[2]))) {
        return std::nullopt;
    }
    WindowsPath result;
    result.drive = static_cast<wchar_t>(path[0] | 0x20);
    std::size_t pos = 2;
    while (pos < path.size()) {
        std::size_t end = pos;
        while (end < path.size() && !IsSeparator(path[end])) {
            ++end;
        }
        const std::wstring_view part = path.substr(pos, end - pos);
        if (part == L"..") {
            if (!result.components.empty()) {
                result.components.pop_back();
            }
        } else if (!part.empty() && part != L".") {
            result.components.emplace_back(part);
        }
        pos = end + 1;
    }
    return result;
}

WinePaths::WinePaths(std::string prefix) : m_prefix(std::move(prefix)) {
    while (m_prefix.size() > 1 && m_prefix.back() == '/') {
        m_prefix.pop_back();
    }
}

std::optional<std::string> WinePaths::ToHost(std::wstring_view windowsPath) const {
    const auto split = SplitWindowsPath(windowsPath);
    if (!split) {
        return std::nullopt;
    }
    // The drive's link resolved once, so that host paths read as the files' real places.
    const std::string link = m_prefix + "/dosdevices/" + static_cast<char>(split->drive) + ":";
    std::unique_ptr<char, FreeDeleter> real(::realpath(link.c_str(), nullptr));
    struct stat info {};
    if (!real || ::stat(real.get(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        return std::nullopt;
    }
    std::string host = real.get();
    bool missing = false;
    for (const std::wstring& component : split->components) {
        const std::string name = lumo::WideToUtf8(component);
        if (!missing && !EntryExists(host + "/" + name)) {
            const auto found = FindEntryIgnoringCase(host, name);
            missing = !found;
            host += "/" + (found ? *found : name);
        } else {
            host += "/" + name;
        }
    }
    return host;
}

}  // namespace platform
