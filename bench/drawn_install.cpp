#include "drawn_install.h"

#include <stdlib.h>

#include <filesystem>

#include "document/game_environment.h"
#include "tools/demo/install_writer.h"

namespace bench {

namespace fs = std::filesystem;

DrawnInstall::DrawnInstall() {
    std::string pattern = (fs::temp_directory_path() / "kaocg-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        return;
    }
    m_root = pattern;
    kaocg_demo::DemoInstallOptions options;
    options.prefix = m_root + "/prefix";
    options.editions = kaocg_demo::DemoEditions::kZV;
    options.userName = "player";
    std::string error;
    if (!kaocg_demo::WriteDemoInstall(options, error)) {
        return;
    }
    m_platform = platform::CreateWinePlatform(options.prefix);
    m_settings.edition = game::DetectEdition(m_platform->GetRegistry());
    m_settings.installFolder = game::ReadInstallFolder(m_platform->GetRegistry(), true);
    m_settings.stockDataFolder = m_settings.installFolder + L"grp\\";
    m_settings.editDataFolder =
        m_platform->GetFileSystem().DocumentsFolder() + std::wstring(document::kEditDataFolderTail);
    m_ok = true;
}

DrawnInstall::~DrawnInstall() {
    m_platform.reset();
    if (m_root.empty()) {
        return;
    }
    std::error_code ignored;
    // The edit archives are left read-only; make everything removable first.
    for (auto it = fs::recursive_directory_iterator(m_root, ignored);
         it != fs::recursive_directory_iterator(); it.increment(ignored)) {
        fs::permissions(it->path(), fs::perms::owner_write, fs::perm_options::add, ignored);
    }
    fs::remove_all(m_root, ignored);
}

}  // namespace bench
