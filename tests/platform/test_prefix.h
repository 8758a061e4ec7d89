#pragma once

#include <string>
#include <string_view>

namespace platform_test {

// A fresh folder (mkdtemp), removed with everything in it when the object goes.
class TempFolder {
public:
    TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder();
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

// A Wine prefix: drive_c/ behind dosdevices/c:, and user.reg.
class TestPrefix {
public:
    explicit TestPrefix(std::string_view userReg = "WINE REGISTRY Version 2\n");
    const std::string& Path() const { return m_folder.Path(); }
    std::string DriveC() const { return Path() + "/drive_c"; }
    std::string UserReg() const { return Path() + "/user.reg"; }

private:
    TempFolder m_folder;
};

void WriteFile(const std::string& path, std::string_view bytes);
std::string ReadFile(const std::string& path);
void MakeFolders(const std::string& path);  // with all parents
// Names in a folder, sorted ("." and ".." left out).
std::string ListFolder(const std::string& path);

}  // namespace platform_test
