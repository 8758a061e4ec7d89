#pragma once

#include <stdlib.h>

#include <filesystem>
#include <optional>
#include <string>

namespace testsupport {

// A runtime folder of the test's own for the editor's mutex lock files and its socket, so
// that tests running side by side never see each other's editor.
class PrivateRuntimeFolder {
public:
    PrivateRuntimeFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "kaocg-run-XXXXXX").string();
        m_path = ::mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
        if (const char* old = std::getenv("XDG_RUNTIME_DIR")) {
            m_old = old;
        }
        ::setenv("XDG_RUNTIME_DIR", m_path.c_str(), 1);
    }
    ~PrivateRuntimeFolder() {
        if (m_old) {
            ::setenv("XDG_RUNTIME_DIR", m_old->c_str(), 1);
        } else {
            ::unsetenv("XDG_RUNTIME_DIR");
        }
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    PrivateRuntimeFolder(const PrivateRuntimeFolder&) = delete;
    PrivateRuntimeFolder& operator=(const PrivateRuntimeFolder&) = delete;

    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
    std::optional<std::string> m_old;
};

}  // namespace testsupport
