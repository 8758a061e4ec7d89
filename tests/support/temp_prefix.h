#pragma once

#include <filesystem>
#include <string>

namespace testsupport {

// A throw-away Wine prefix: drive_c, the dosdevices/c: link and a user.reg made of the
// sections the test adds.
class TempPrefix {
public:
    TempPrefix();
    ~TempPrefix();
    TempPrefix(const TempPrefix&) = delete;
    TempPrefix& operator=(const TempPrefix&) = delete;

    const std::string& Path() const { return m_path; }
    std::filesystem::path DriveC() const { return std::filesystem::path(m_path) / "drive_c"; }

    // Appends a registry key section, e.g. Key("Software\\\\TAVU\\\\Quorvane06 Tc\\\\PL",
    // "\"1\"=dword:00000002\n"); the name is written as user.reg spells it.
    void Key(const std::string& escapedName, const std::string& values = "");
    // Writes user.reg from the sections added so far.
    void WriteRegistry() const;

    // Writes a file below drive_c (a relative host path), making its folders; with a year,
    // its modification time is set to 1 July of that year.
    void WriteFile(const std::string& relative, const std::string& bytes, int year = 0) const;

private:
    std::string m_path;
    std::string m_sections;
};

}  // namespace testsupport
