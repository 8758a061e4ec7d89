#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "document/app_settings.h"
#include "platform/platform.h"

namespace testsupport {

// A blank stand-in installation of one edition in a temporary Wine prefix, with the platform
// over it and the settings the start-up checks would find.
class DemoPrefix {
public:
    explicit DemoPrefix(bool zv = true);
    ~DemoPrefix();
    DemoPrefix(const DemoPrefix&) = delete;
    DemoPrefix& operator=(const DemoPrefix&) = delete;

    const std::string& Path() const { return m_prefix; }
    platform::Platform& Platform() { return *m_platform; }
    platform::FileSystem& Files() { return m_platform->GetFileSystem(); }
    const document::AppSettings& Settings() const { return m_settings; }
    // The host path of a Windows path of the prefix.
    std::filesystem::path Host(const std::wstring& windowsPath) const;

private:
    std::string m_root;
    std::string m_prefix;
    std::unique_ptr<platform::Platform> m_platform;
    document::AppSettings m_settings;
};

}  // namespace testsupport
