#include "platform/proc_scan.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cstdlib>
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
    std::vector<std::wstring> given;    // as asked for
    std::vector<std::wstring> full;     // folded
    std::vector<std::wstring> command;  // folded, cut as the kernel cuts command names
};

// The index of the wanted name that matched, or kNone.
constexpr std::size_t kNone = static_cast<std::size_t>(-1);

WantedNames Fold(std::span<const std::wstring_view> names) {
    WantedNames wanted;
    for (const std::wstring_view name : names) {
        if (name.empty()) {
            continue;
        }
        const std::string utf8 = lumo::WideToUtf8(name);
        wanted.given.emplace_back(name);
        wanted.full.push_back(FoldCase(lumo::Utf8ToWide(utf8)));
        wanted.command.push_back(FoldCase(lumo::Utf8ToWide(utf8.substr(0, kCommandNameBytes))));
    }
    return wanted;
}

std::size_t IndexIn(const std::vector<std::wstring>& list, std::string_view utf8) {
    const std::wstring folded = FoldCase(lumo::Utf8ToWide(utf8));
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i] == folded) {
            return i;
        }
    }
    return kNone;
}

std::string CommandName(const std::string& processFolder) {
    UniqueFd fd(::open((processFolder + "/comm").c_str(), O_RDONLY | O_CLOEXEC));
    std::array<char, 64> buffer{};
    const ssize_t n = fd.IsValid() ? ReadSome(fd.Get(), buffer.data(), buffer.size()) : -1;
    if (n <= 0) {
        return {};
    }
    std::string command(buffer.data(), static_cast<std::size_t>(n));
    if (command.ends_with('\n')) {
        command.pop_back();
    }
    return command;
}

std::size_t CommandMatch(const std::string& processFolder, const WantedNames& wanted) {
    const std::string command = CommandName(processFolder);
    return command.empty() ? kNone : IndexIn(wanted.command, command);
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
std::size_t MapsMatch(const std::string& processFolder, const WantedNames& wanted) {
    UniqueFd fd(::open((processFolder + "/maps").c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.IsValid()) {
        return kNone;
    }
    std::vector<char> chunk(kReadChunk);
    std::string line;
    bool skipping = false;
    for (;;) {
        const ssize_t n = ReadSome(fd.Get(), chunk.data(), chunk.size());
        if (n <= 0) {
            return skipping ? kNone : IndexIn(wanted.full, MappedFileName(line));
        }
        for (ssize_t i = 0; i < n; ++i) {
            const char c = chunk[static_cast<std::size_t>(i)];
            if (c == '\n') {
                const std::size_t found =
                    skipping ? kNone : IndexIn(wanted.full, MappedFileName(line));
                if (found != kNone) {
                    return found;
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
    return FindProgramIn(procRoot, executableNames).has_value();
}

std::optional<ProcessInfo> FindProgramIn(const std::string& procRoot,
                                         std::span<const std::wstring_view> executableNames) {
    const WantedNames wanted = Fold(executableNames);
    if (wanted.full.empty()) {
        return std::nullopt;
    }
    UniqueDir dir(::opendir(procRoot.c_str()));
    if (!dir) {
        return std::nullopt;
    }
    while (const dirent* entry = ::readdir(dir.get())) {
        if (!IsProcessFolderName(entry->d_name)) {
            continue;
        }
        const std::string folder = procRoot + "/" + entry->d_name;
        std::size_t found = CommandMatch(folder, wanted);
        if (found == kNone) {
            found = MapsMatch(folder, wanted);
        }
        if (found != kNone) {
            return ProcessInfo{std::atoi(entry->d_name), wanted.given[found]};
        }
    }
    return std::nullopt;
}

std::wstring CommandNameOf(const std::string& procRoot, int pid) {
    return lumo::Utf8ToWide(CommandName(procRoot + "/" + std::to_string(pid)));
}

}  // namespace platform
