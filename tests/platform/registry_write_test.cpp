#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "platform/test_prefix.h"
#include "platform/wine_registry.h"
#include "platform/wine_registry_file.h"

namespace platform {
namespace {

using platform_test::ListFolder;
using platform_test::ReadFile;
using platform_test::TestPrefix;
using platform_test::WriteFile;

const std::wstring kConfigs = L"Software\\TAVU\\Quorvane06ZV Tc\\Configs";

const std::string kHead =
    "WINE REGISTRY Version 2\n"
    ";; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000\n"
    "\n"
    "#arch=win64\n"
    "\n"
    "[Software\\\\TAVU\\\\Quorvane06ZV Tc\\\\Configs] 1700000001\n"
    "#time=1da1b2c3d4e5f61\n"
    "\"Other\"=hex:01,02,\\\n"
    "  03\n";
const std::string kTail =
    "\n"
    "[Software\\\\Wine] 1700000002\n"
    "#time=1da1b2c3d4e5f62\n"
    "\"Version\"=\"win10\"\n";

std::string Rewritten(const std::string& text, std::wstring_view key, std::wstring_view name,
                      std::uint32_t value) {
    auto file = WineRegistryFile::Parse(text);
    EXPECT_TRUE(file);
    if (!file || !file->SetDword(key, name, value, 1700000100)) {
        return "(failed)";
    }
    return file->Text();
}

TEST(RegistryWrite, ChangesOnlyTheDataOfTheValue) {
    const std::string before = kHead + "\"guide_msg_0\" = dword:00000000 \r\n" + kTail;
    EXPECT_EQ(Rewritten(before, L"software\\tavu\\QUORVANE06ZV TC\\configs", L"GUIDE_MSG_0", 1),
              kHead + "\"guide_msg_0\" = dword:00000001\r\n" + kTail);
    // A hex list over several lines becomes one dword.
    const std::string otherChanged = Rewritten(before, kConfigs, L"Other", 0xdeadbeef);
    EXPECT_NE(otherChanged.find("\"Other\"=dword:deadbeef\n\"guide_msg_0\""), std::string::npos);
}

TEST(RegistryWrite, AddsANewValueAtTheEndOfTheKeysLastSection) {
    const std::string before = kHead + "\"GUIDE_MSG_0\"=dword:00000000\n" + kTail;
    EXPECT_EQ(Rewritten(before, kConfigs, L"GUIDE_MSG_1", 0x2a),
              kHead + "\"GUIDE_MSG_0\"=dword:00000000\n\"GUIDE_MSG_1\"=dword:0000002a\n" + kTail);
    EXPECT_EQ(Rewritten(kHead, kConfigs, L"Say \"hi\"", 7),
              kHead + "\"Say \\\"hi\\\"\"=dword:00000007\n");
    // The last line of the file had no line break.
    EXPECT_EQ(Rewritten("WINE REGISTRY Version 2\n[K] 0\n\"a\"=\"b\"", L"K", L"", 1),
              "WINE REGISTRY Version 2\n[K] 0\n\"a\"=\"b\"\n@=dword:00000001\n");
}

TEST(RegistryWrite, GivesAKeyWithOnlySubkeysASection) {
    const std::string before = "WINE REGISTRY Version 2\n\n[Software\\\\TAVU\\\\Sub] 0\n";
    const std::string after = Rewritten(before, L"Software\\TAVU", L"Flag", 1);
    EXPECT_EQ(after, before +
                         "\n[Software\\\\TAVU] 1700000100\n#time=1da17480207ca00\n"
                         "\"Flag\"=dword:00000001\n");
    const auto file = WineRegistryFile::Parse(after);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->FindValue(L"software\\tavu", L"flag")->data[0], 1);
}

// A hex list continued on a line the file does not have reads as a value without data. The
// line break that a write adds first would complete the list and change that value, so the
// write is refused, whichever way it would have gone in.
TEST(RegistryWrite, RefusesAWriteThatWouldCompleteAnOpenHexList) {
    const std::string open = "WINE REGISTRY Version 2\n[K\\\\Sub] 0\n\"Bin\"=hex:01,\\";
    const auto file = WineRegistryFile::Parse(open);
    ASSERT_TRUE(file);
    ASSERT_EQ(file->FindValue(L"K\\Sub", L"Bin")->type, kRegNone);
    EXPECT_EQ(Rewritten(open, L"K", L"Flag", 1), "(failed)");       // would add a section
    EXPECT_EQ(Rewritten(open, L"K\\Sub", L"Flag", 1), "(failed)");  // would add a line
    // The open list's own value may be written: its lines are replaced.
    EXPECT_EQ(Rewritten(open, L"K\\Sub", L"Bin", 1),
              "WINE REGISTRY Version 2\n[K\\\\Sub] 0\n\"Bin\"=dword:00000001");
    // Closed on its own line, the same list takes the write.
    EXPECT_NE(Rewritten(open + "\n02\n", L"K", L"Flag", 1), "(failed)");
}

TEST(RegistryWrite, NeverCreatesKeys) {
    const std::string before = kHead + kTail;
    EXPECT_EQ(Rewritten(before, L"Software\\TAVU\\Quorvane06 Tc\\Configs", L"X", 1), "(failed)");
}

struct FileFacts {
    ino_t inode;
    mode_t mode;
};

FileFacts FactsOf(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0);
    return {info.st_ino, info.st_mode};
}

TEST(RegistryOnDisk, WriteReplacesTheFileAtomicallyAndKeepsEveryOtherByte) {
    const std::string before = kHead + "\"GUIDE_MSG_0\"=dword:00000000\n" + kTail;
    TestPrefix prefix(before);
    ::chmod(prefix.UserReg().c_str(), 0640);
    const FileFacts old = FactsOf(prefix.UserReg());
    WineRegistry registry(prefix.UserReg());
    EXPECT_EQ(registry.ReadDword(kConfigs, L"GUIDE_MSG_0"), 0u);

    ASSERT_TRUE(registry.WriteDword(kConfigs, L"GUIDE_MSG_0", 1));
    EXPECT_EQ(ReadFile(prefix.UserReg()), kHead + "\"GUIDE_MSG_0\"=dword:00000001\n" + kTail);
    EXPECT_EQ(registry.ReadDword(kConfigs, L"guide_msg_0"), 1u);
    const FileFacts now = FactsOf(prefix.UserReg());
    EXPECT_NE(now.inode, old.inode);  // renamed into place, not written over
    EXPECT_EQ(now.mode & 0777, 0640u);
    EXPECT_EQ(ListFolder(prefix.Path()), "dosdevices drive_c user.reg");
}

TEST(RegistryOnDisk, FailedWriteLeavesTheFileAlone) {
    const std::string before = kHead + kTail;
    TestPrefix prefix(before);
    const FileFacts old = FactsOf(prefix.UserReg());
    WineRegistry registry(prefix.UserReg());
    EXPECT_FALSE(registry.WriteDword(L"Software\\Missing", L"GUIDE_MSG_0", 1));
    EXPECT_EQ(ReadFile(prefix.UserReg()), before);
    EXPECT_EQ(FactsOf(prefix.UserReg()).inode, old.inode);
    EXPECT_EQ(ListFolder(prefix.Path()), "dosdevices drive_c user.reg");
}

TEST(RegistryOnDisk, ReadsFollowChangesOnDiskAndNeverWrite) {
    TestPrefix prefix(kHead + kTail);
    const FileFacts old = FactsOf(prefix.UserReg());
    WineRegistry registry(prefix.UserReg());
    EXPECT_EQ(registry.ReadString(L"Software\\Wine", L"Version"), L"win10");
    EXPECT_FALSE(registry.ReadDword(L"Software\\Wine", L"Version"));
    EXPECT_FALSE(registry.ReadString(kConfigs, L"Other"));
    EXPECT_FALSE(registry.KeyExists(L"Software\\TAVU\\Quorvane06 Tc"));
    EXPECT_EQ(FactsOf(prefix.UserReg()).inode, old.inode);

    WriteFile(prefix.UserReg(),
              "WINE REGISTRY Version 2\n[Software\\\\TAVU\\\\Quorvane06 Tc] 0\n"
              "\"n\"=hex(4):05,00,00,00\n");
    EXPECT_TRUE(registry.KeyExists(L"Software\\TAVU\\Quorvane06 Tc"));
    EXPECT_EQ(registry.ReadDword(L"Software\\TAVU\\Quorvane06 Tc", L"n"), 5u);

    ::unlink(prefix.UserReg().c_str());
    EXPECT_FALSE(registry.KeyExists(L"Software"));
    EXPECT_FALSE(registry.WriteDword(L"", L"x", 1));
    EXPECT_EQ(ListFolder(prefix.Path()), "dosdevices drive_c");
}

TEST(RegistryOnDisk, WritesThroughALinkedFile) {
    TestPrefix prefix(kHead);
    const std::string real = prefix.Path() + "/drive_c/real.reg";
    ASSERT_EQ(::rename(prefix.UserReg().c_str(), real.c_str()), 0);
    ASSERT_EQ(::symlink("drive_c/real.reg", prefix.UserReg().c_str()), 0);
    WineRegistry registry(prefix.UserReg());
    ASSERT_TRUE(registry.WriteDword(kConfigs, L"GUIDE_MSG_1", 1));
    EXPECT_EQ(ReadFile(real), kHead + "\"GUIDE_MSG_1\"=dword:00000001\n");
    struct stat link {};
    ASSERT_EQ(::lstat(prefix.UserReg().c_str(), &link), 0);
    EXPECT_TRUE(S_ISLNK(link.st_mode));
}

}  // namespace
}  // namespace platform
