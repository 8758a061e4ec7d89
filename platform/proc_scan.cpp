#include "platform/proc_scan.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <memory>
#include <vector>

#include "lumo/io/utf.h"
#include "platform/case_fold.h"
#include "platform/host_io.h"

namespace platform {
namespace {

constexpr std::size_t kCommandNameBytes = 15;  // the kernel's TASK_COMM_LEN less the NUL
constexpr std::size_t kMaxMapsLine = 16384;    // maps lines hold one path of at most 4096 bytes
constexpr std::size_t kReadChunk = 65536;

struct WantedNames {
    std::vector<std::wstring> full;     // folded
    std::vector<std::wstring> command;  // folded, cut as the kernel cuts command names
};

WantedNames Fold(std::span<const std::wstring_view> names) {
    WantedNames wanted;
    for (const std::wstring_view name : names) {
        if (name.empty()) {
            continue;
        }
        const std::string utf8 = lumo::WideToUtf8(name);
        wanted.full.push_back(FoldCase(lumo::Utf8ToWide(utf8)));
        wanted.command.push_back(FoldCase(lumo::Utf8ToWide(utf8.substr(0, kCommandNameBytes))));
    }
    return wanted;
}

bool Contains(const std::vector<std::wstring>& list, std::string_view utf8) {
    const std::wstring folded = FoldCase(lumo::Utf8ToWide(utf8));
    for (const std::wstring& entry : list) {
        if (entry == folded) {
            return true;
        }
    }
    return false;
}

bool CommandMatches(const std::string& processFolder, const WantedNames& wanted) {
    UniqueFd fd(::open((processFolder + "/comm").c_str(), O_RDONLY | O_CLOEXEC));
    std::array<char, 64> buffer{};
    const ssize_t n = fd.IsValid() ? ReadSome(fd.Get(), buffer.data(), buffer.size()) : -1;
    if (n <= 0) {
        return false;
    }
    std::string_view command(buffer.data(), static_cast<std::size_t>(n));
    if (command.ends_with('\n')) {
        command.remove_suffix(1);
    }
    return Contains(wanted.command, command);
}

// The last component of the file a maps line names, if it names one.
std::string_view MappedFileName(std::string_view line) {
    const std::size_t slash = line.find('/');
    if (slash == std::string_view::npos) {
        return {};
    }
    std::string_view path = line.substr(slash);
    if (path.ends_with(" (deleted)")) {
        path.remove_suffix(10);
    }
    return path.substr(path.rfind('/') + 1);
}

// Reads maps in chunks; a line too long to be a real one is skipped.
bool MapsMatch(const std::string& processFolder, const WantedNames& wanted) {
    UniqueFd fd(::open((processFolder + "/maps").c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.IsValid()) {
        return false;
    }
    std::vector<char> chunk(kReadChunk);
    std::string line;
    bool skipping = false;
    for (;;) {
        const ssize_t n = ReadSome(fd.Get(), chunk.data(), chunk.size());
        if (n <= 0) {
            return !skipping && Contains(wanted.full, MappedFileName(line));
        }
        for (ssize_t i = 0; i < n; ++i) {
            const char c = chunk[static_cast<std::size_t>(i)];
            if (c == '\n') {
                if (!skipping && Contains(wanted.full, MappedFileName(line))) {
                    return true;
                }
                line.clear();
                skipping = false;
            } else if (!skipping) {
                line += c;
                skipping = line.size() > kMaxMapsLine;
            }
        }
    }
}

bool IsProcessFolderName(const char* name) {
    if (*name == '\0') {
        return false;
    }
    for (; *name != '\0'; ++name) {
        if (*name < '0' || *name > '9') {
            return false;
        }
    }
    return true;
}

}  // namespace

bool IsProgramRunningIn(const std::string& procRoot,
                        std::span<const std::wstring_view> executableNames) {
    const WantedNames wanted = Fold(executableNames);
    if (wanted.full.empty()) {
        return false;
    }
    UniqueDir dir(::opendir(procRoot.c_str()));
    if (!dir) {
        return false;
    }
    while (const dirent* entry = ::readdir(dir.get())) {
        if (!IsProcessFolderName(entry->d_name)) {
            continue;
        }
        const std::string folder = procRoot + "/" + entry->d_name;
        if (CommandMatches(folder, wanted) || MapsMatch(folder, wanted)) {
            return true;
        }
    }
    return false;
}

}  // namespace platform
