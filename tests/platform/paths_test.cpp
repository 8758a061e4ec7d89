#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/test_prefix.h"
#include "platform/wine_paths.h"

namespace platform {
namespace {

using platform_test::MakeFolders;
using platform_test::TempFolder;
using platform_test::TestPrefix;
using platform_test::WriteFile;

class Paths : public ::testing::Test {
protected:
    Paths() : m_paths(m_prefix.Path()) {
        MakeFolders(C() + "/Games/Quorvane06/grp");
        WriteFile(C() + "/Games/Quorvane06/grp/EDIT_KAO_L.q06", "x");
    }
    std::string C() const { return m_prefix.DriveC(); }
    std::optional<std::string> Host(std::wstring_view path) const { return m_paths.ToHost(path); }

    TestPrefix m_prefix;
    WinePaths m_paths;
};

TEST_F(Paths, MapsDrivesSeparatorsAndDots) {
    const std::string expected = C() + "/Games/Quorvane06/grp/EDIT_KAO_L.q06";
    EXPECT_EQ(Host(L"C:\\Games\\Quorvane06\\grp\\EDIT_KAO_L.q06"), expected);
    EXPECT_EQ(Host(L"c:/Games//Quorvane06/./x/../grp\\EDIT_KAO_L.q06"), expected);
    EXPECT_EQ(Host(L"\\\\?\\C:\\Games\\..\\..\\..\\Games"), C() + "/Games");
    EXPECT_EQ(Host(L"C:"), C());
    EXPECT_EQ(Host(L"C:\\"), C());
}

TEST_F(Paths, FindsComponentsWithoutRegardToCase) {
    EXPECT_EQ(Host(L"C:\\GAMES\\quorvane06\\GRP\\EDIT_KAO_L.Q06"),
              C() + "/Games/Quorvane06/grp/EDIT_KAO_L.q06");
    // An exact match wins; among case variants the first in byte order does.
    MakeFolders(C() + "/Games/quorvane06");
    MakeFolders(C() + "/Games/QUORVANE06");
    EXPECT_EQ(Host(L"C:\\Games\\quorvane06"), C() + "/Games/quorvane06");
    EXPECT_EQ(Host(L"C:\\Games\\QuorVANE06"), C() + "/Games/QUORVANE06");
    MakeFolders(C() + "/users/\xc3\x89t\xc3\xa9");
    EXPECT_EQ(Host(L"C:\\USERS\\\xe9T\xc9"), C() + "/users/\xc3\x89t\xc3\xa9");
}

TEST_F(Paths, KeepsMissingComponentsAsSpelled) {
    EXPECT_EQ(Host(L"C:\\games\\New Folder\\GRP\\File.Q06"),
              C() + "/Games/New Folder/GRP/File.Q06");
}

TEST_F(Paths, FollowsDriveLinks) {
    TempFolder elsewhere;
    MakeFolders(elsewhere.Path() + "/Data");
    ASSERT_EQ(::symlink(elsewhere.Path().c_str(), (m_prefix.Path() + "/dosdevices/d:").c_str()), 0);
    EXPECT_EQ(Host(L"D:\\data\\x"), elsewhere.Path() + "/Data/x");
    EXPECT_FALSE(Host(L"E:\\data"));
}

TEST_F(Paths, RefusesPathsWithoutADrive) {
    EXPECT_FALSE(Host(L""));
    EXPECT_FALSE(Host(L"Games\\x"));
    EXPECT_FALSE(Host(L"\\Games"));
    EXPECT_FALSE(Host(L"\\\\server\\share\\x"));
    EXPECT_FALSE(Host(L"CC:\\x"));
    EXPECT_FALSE(Host(L"C:x"));
    EXPECT_FALSE(Host(std::wstring(L"C:\\Games\0\\..\\..\\etc", 19)));
}

}  // namespace
}  // namespace platform
