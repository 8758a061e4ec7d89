#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace kaocg_tool_test {

struct ToolResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs the built kaocg-tool with args in folder, capturing both output streams.
ToolResult RunTool(const std::filesystem::path& folder, const std::vector<std::string>& args);

// A fresh folder under the system's temporary folder, removed with the object.
class TempFolder {
public:
    TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder();
    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

std::string ReadText(const std::filesystem::path& path);

}  // namespace kaocg_tool_test
