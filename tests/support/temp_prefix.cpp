#include "support/temp_prefix.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cstdlib>
#include <ctime>
#include <fstream>
#include <stdexcept>

namespace testsupport {

namespace fs = std::filesystem;

TempPrefix::TempPrefix() {
    std::string pattern = (fs::temp_directory_path() / "kaocg-prefix-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        throw std::runtime_error("mkdtemp failed");
    }
    m_path = pattern;
    fs::create_directories(DriveC() / "users" / "player" / "Documents");
    fs::create_directories(fs::path(m_path) / "dosdevices");
    fs::create_directory_symlink("../drive_c", fs::path(m_path) / "dosdevices" / "c:");
}

TempPrefix::~TempPrefix() {
    std::error_code ignored;
    fs::permissions(m_path, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(m_path, ignored);
}

void TempPrefix::Key(const std::string& escapedName, const std::string& values) {
    m_sections += "\n[" + escapedName + "] 1700000000\n#time=1d9a0b0c0d0e0f0\n" + values;
}

void TempPrefix::WriteRegistry() const {
    std::ofstream out(fs::path(m_path) / "user.reg", std::ios::binary);
    out << "WINE REGISTRY Version 2\n;; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000\n\n"
        << "#arch=win64\n"
        << m_sections;
}

void TempPrefix::WriteFile(const std::string& relative, const std::string& bytes, int year) const {
    const fs::path path = DriveC() / relative;
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
    if (year > 0) {
        std::tm when{};
        when.tm_year = year - 1900;
        when.tm_mon = 6;
        when.tm_mday = 1;
        when.tm_hour = 12;
        const std::time_t t = std::mktime(&when);
        const timespec times[2] = {{t, 0}, {t, 0}};
        utimensat(AT_FDCWD, path.c_str(), times, 0);
    }
}

}  // namespace testsupport
