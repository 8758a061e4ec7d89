#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "tool_runner.h"
#include "tools/demo/sparse_file_writer.h"
#include "tools/demo/user_reg_writer.h"

namespace kaocg_tool_test {
namespace {

namespace fs = std::filesystem;
using namespace kaocg_demo;

std::vector<std::uint8_t> Bytes(std::string_view text) {
    return {text.begin(), text.end()};
}

std::vector<std::string> Names(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Data on both sides of window and block borders, long zero runs, and a trailing hole.
TEST(SparseFileWriter, WritesExactBytesAndLeavesHoles) {
    TempFolder folder;
    const std::string path = (folder.Path() / "a.bin").string();
    std::string expected(24u << 20, '\0');
    SparseFileWriter writer;
    std::string error;
    ASSERT_TRUE(writer.Open(path, error)) << error;
    const auto put = [&](std::uint64_t at, std::string_view text) {
        ASSERT_TRUE(writer.SkipTo(at, error)) << error;
        ASSERT_TRUE(writer.Write(Bytes(text), error)) << error;
        expected.replace(at, text.size(), text);
    };
    put(0, "LINK");
    put(4094, "across a block border");
    put((1u << 20) - 3, "across the window border");
    put(12u << 20, std::string(10000, 'x'));
    put((12u << 20) + 10000, "right after");
    ASSERT_TRUE(writer.SkipTo(24u << 20, error));
    EXPECT_FALSE(writer.SkipTo(1, error));  // never backwards
    ASSERT_TRUE(writer.Commit(error)) << error;

    EXPECT_EQ(ReadText(path), expected);
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_LT(info.st_blocks * 512, 200 * 1024);
    EXPECT_EQ(Names(folder.Path()), std::vector<std::string>{"a.bin"});
}

TEST(SparseFileWriter, UncommittedWritesLeaveTheOldFile) {
    TempFolder folder;
    const std::string path = (folder.Path() / "a.bin").string();
    std::string error;
    {
        SparseFileWriter first;
        ASSERT_TRUE(first.Open(path, error) && first.Write(Bytes("old"), error) &&
                    first.Commit(error));
    }
    {
        SparseFileWriter second;
        ASSERT_TRUE(second.Open(path, error) && second.Write(Bytes("new data"), error));
    }
    EXPECT_EQ(ReadText(path), "old");
    EXPECT_EQ(Names(folder.Path()), std::vector<std::string>{"a.bin"});
}

TEST(UserReg, EscapesAsWineDoes) {
    EXPECT_EQ(WineEscape(L"C:\\a \"b\"", "\"\""), "C:\\\\a \\\"b\\\"");
    EXPECT_EQ(WineEscape(L"key[1]", "[]"), "key\\[1\\]");
    EXPECT_EQ(WineEscape(L"key[1]", "\"\""), "key[1]");
    // Four digits only when a hexadecimal digit follows, so that it is not read as part of it.
    EXPECT_EQ(WineEscape(L"\u00e9a", "\"\""), "\\x00e9a");
    EXPECT_EQ(WineEscape(L"\u00e9g", "\"\""), "\\xe9g");
    EXPECT_EQ(WineEscape(L"\u5f35", "\"\""), "\\x5f35");
    EXPECT_EQ(WineEscape(L"\U0001F600", "\"\""), "\\xd83d\\xde00");
    EXPECT_EQ(WineEscape(L"a\tb\n", "\"\""), "a\\tb\\n");
    EXPECT_EQ(WineEscape(std::wstring(L"\x01"
                                      L"7\x01"),
                         "\"\""),
              "\\0017\\1");
}

TEST(UserReg, SectionsAreSortedAndStamped) {
    UserRegContent content;
    content.installs = {{true, L"C:\\Z\\"}, {false, L"C:\\B\\"}};
    content.documentsFolder = L"C:\\users\\p\\Documents";
    const std::string text = UserRegText(content);
    EXPECT_EQ(
        text.rfind("WINE REGISTRY Version 2\n;; All keys relative to \\\\User\\\\S-1-5-21-", 0),
        0u);
    const std::vector<std::string> order{
        "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Explorer\\\\Shell Folders] "
        "1700000000\n#time=1da1747c66d0000\n\"Personal\"=\"C:\\\\users\\\\p\\\\Documents\"\n",
        "[Software\\\\TAVU\\\\Quorvane06 Tc\\\\Install] 1700000000\n#time=1da1747c66d0000\n"
        "\"InstallInfo\"=\"C:\\\\B\\\\\"\n",
        "[Software\\\\TAVU\\\\Quorvane06 Tc\\\\PL] 1700000000\n#time=1da1747c66d0000\n"
        "\"1\"=dword:00000002\n",
        "[Software\\\\TAVU\\\\Quorvane06ZV Tc\\\\Configs] 1700000000\n#time=1da1747c66d0000\n\n",
        "[Software\\\\TAVU\\\\Quorvane06ZV Tc\\\\Install]",
        "[Software\\\\TAVU\\\\Quorvane06ZV Tc\\\\PL]"};
    std::size_t from = 0;
    for (const std::string& section : order) {
        const std::size_t at = text.find(section, from);
        ASSERT_NE(at, std::string::npos) << section << "\nin\n" << text;
        from = at + 1;
    }
}

}  // namespace
}  // namespace kaocg_tool_test
