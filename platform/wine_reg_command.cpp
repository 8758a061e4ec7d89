#include "platform/wine_reg_command.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <optional>
#include <vector>

#include "lumo/io/utf.h"

extern char** environ;

namespace platform {
namespace {

std::optional<std::string> FindOnPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::string_view rest = path != nullptr ? path : "";
    while (true) {
        const std::size_t colon = rest.find(':');
        const std::string folder(rest.substr(0, colon));
        const std::string candidate = (folder.empty() ? "." : folder) + "/" + program;
        struct stat info {};
        if (::stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
            ::access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
        if (colon == std::string_view::npos) {
            return std::nullopt;
        }
        rest.remove_prefix(colon + 1);
    }
}

// The caller's environment with the prefix set and Wine's debug output off.
std::vector<std::string> WineEnvironment(const std::string& prefix) {
    std::vector<std::string> variables{"WINEPREFIX=" + prefix, "WINEDEBUG=-all"};
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string_view text(*entry);
        if (!text.starts_with("WINEPREFIX=") && !text.starts_with("WINEDEBUG=")) {
            variables.emplace_back(text);
        }
    }
    return variables;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts) {
        pointers.push_back(text.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

bool RunQuietly(const std::string& program, std::vector<std::string> args,
                std::vector<std::string> environment) {
    posix_spawn_file_actions_t actions;
    if (posix_spawn_file_actions_init(&actions) != 0) {
        return false;
    }
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv = Pointers(args);
    std::vector<char*> envp = Pointers(environment);
    pid_t child = 0;
    const int spawned =
        posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        return false;
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) {
            return false;
        }
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

bool IsWineOnPath() {
    return FindOnPath("wine").has_value();
}

bool AddDwordThroughWine(const std::string& prefix, std::wstring_view key, std::wstring_view name,
                         std::uint32_t value) {
    const auto wine = FindOnPath("wine");
    if (!wine) {
        return false;
    }
    return RunQuietly(
        *wine,
        {"wine", "reg", "add", "HKCU\\" + lumo::WideToUtf8(key), "/v", lumo::WideToUtf8(name), "/t",
         "REG_DWORD", "/d", std::to_string(value), "/f"},
        WineEnvironment(prefix));
}

}  // namespace platform
