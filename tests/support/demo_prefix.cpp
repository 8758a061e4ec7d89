#include "support/demo_prefix.h"

#include <cstdlib>
#include <stdexcept>

#include "document/game_environment.h"
#include "tools/demo/install_writer.h"

namespace testsupport {

namespace fs = std::filesystem;

DemoPrefix::DemoPrefix(bool zv) {
    std::string pattern = (fs::temp_directory_path() / "kaocg-demo-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        throw std::runtime_error("mkdtemp failed");
    }
    m_root = pattern;
    m_prefix = m_root + "/prefix";
    kaocg_demo::DemoInstallOptions options;
    options.prefix = m_prefix;
    options.editions = zv ? kaocg_demo::DemoEditions::kZV : kaocg_demo::DemoEditions::kBase;
    options.blank = true;
    options.userName = "player";
    std::string error;
    if (!kaocg_demo::WriteDemoInstall(options, error)) {
        throw std::runtime_error("demo install failed: " + error);
    }
    m_platform = platform::CreateWinePlatform(m_prefix);
    m_settings.edition = game::DetectEdition(m_platform->GetRegistry());
    m_settings.installFolder = game::ReadInstallFolder(m_platform->GetRegistry(), zv);
    m_settings.stockDataFolder = m_settings.installFolder + L"grp\\";
    m_settings.editDataFolder =
        Files().DocumentsFolder() + std::wstring(document::kEditDataFolderTail);
}

DemoPrefix::~DemoPrefix() {
    m_platform.reset();
    std::error_code ignored;
    // Archives are left read-only; make everything removable first.
    for (auto it = fs::recursive_directory_iterator(m_root, ignored);
         it != fs::recursive_directory_iterator(); it.increment(ignored)) {
        fs::permissions(it->path(), fs::perms::owner_write, fs::perm_options::add, ignored);
    }
    fs::remove_all(m_root, ignored);
}

fs::path DemoPrefix::Host(const std::wstring& windowsPath) const {
    return m_platform->GetFileSystem().HostPath(windowsPath);
}

}  // namespace testsupport
