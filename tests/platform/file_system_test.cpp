#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <ctime>
#include <string>
#include <vector>

#include "platform/test_prefix.h"
#include "platform/wine_file_system.h"
#include "platform/wine_registry.h"

namespace platform {
namespace {

using platform_test::ListFolder;
using platform_test::MakeFolders;
using platform_test::ReadFile;
using platform_test::TestPrefix;
using platform_test::WriteFile;

std::span<const std::uint8_t> AsBytes(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

class Files : public ::testing::Test {
protected:
    Files()
        : m_registry(m_prefix.UserReg()),
          m_files(WinePaths(m_prefix.Path()), m_registry, {L"player", L"steamuser"}) {
        MakeFolders(C() + "/data");
        WriteFile(C() + "/data/archive.q06", "archive bytes");
    }
    std::string C() const { return m_prefix.DriveC(); }

    TestPrefix m_prefix;
    WineRegistry m_registry;
    WineFileSystem m_files;
};

TEST_F(Files, OpensReadsAndWrites) {
    auto file = m_files.Open(L"C:\\DATA\\archive.Q06", OpenMode::kReadWrite, false);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->Size(), 13u);
    ASSERT_TRUE(file->Seek(8));
    EXPECT_TRUE(file->Write("BYTES!", 6));
    EXPECT_EQ(file->Position(), 14u);
    ASSERT_TRUE(file->Seek(0));
    char buffer[32] = {};
    EXPECT_EQ(file->Read(buffer, sizeof(buffer)), 14u);
    EXPECT_EQ(std::string(buffer, 14), "archive BYTES!");
    EXPECT_TRUE(file->Flush());

    auto reader = m_files.Open(L"C:\\data\\archive.q06", OpenMode::kRead, false);
    ASSERT_TRUE(reader);
    EXPECT_FALSE(reader->Write("x", 1));
    EXPECT_FALSE(m_files.Open(L"C:\\data\\missing", OpenMode::kRead, false));
    EXPECT_FALSE(m_files.Open(L"C:\\data", OpenMode::kRead, false));

    auto created = m_files.Open(L"C:\\data\\archive.q06", OpenMode::kCreateWrite, false);
    ASSERT_TRUE(created);
    EXPECT_EQ(created->Size(), 0u);
}

TEST_F(Files, ReadOnlyFilesRefuseEveryWriteEvenForRoot) {
    const std::wstring path = L"C:\\data\\archive.q06";
    ASSERT_TRUE(m_files.SetReadOnly(path, true));
    EXPECT_TRUE(m_files.IsReadOnly(path));
    EXPECT_FALSE(m_files.Open(path, OpenMode::kReadWrite, false));
    EXPECT_FALSE(m_files.Open(path, OpenMode::kCreateWrite, true));
    EXPECT_FALSE(m_files.ReplaceFile(path, AsBytes("new")));
    WriteFile(C() + "/other", "other");
    EXPECT_FALSE(m_files.CopyFile(L"C:\\other", path));
    EXPECT_FALSE(m_files.DeleteFile(path));
    EXPECT_EQ(ReadFile(C() + "/data/archive.q06"), "archive bytes");
    EXPECT_TRUE(m_files.Open(path, OpenMode::kRead, true));

    ASSERT_TRUE(m_files.SetReadOnly(path, false));
    EXPECT_FALSE(m_files.IsReadOnly(path));
    EXPECT_TRUE(m_files.Open(path, OpenMode::kReadWrite, false));
    EXPECT_TRUE(m_files.DeleteFile(path));
    EXPECT_FALSE(m_files.Exists(path));
}

TEST_F(Files, ExclusiveOpensShutOutOtherOpens) {
    const std::wstring path = L"C:\\data\\archive.q06";
    {
        auto first = m_files.Open(path, OpenMode::kRead, true);
        ASSERT_TRUE(first);
        EXPECT_FALSE(m_files.Open(L"c:\\DATA\\ARCHIVE.Q06", OpenMode::kReadWrite, true));
        EXPECT_FALSE(m_files.Open(path, OpenMode::kRead, false));
        // A truncating open that fails must not have truncated.
        EXPECT_FALSE(m_files.Open(path, OpenMode::kCreateWrite, true));
        EXPECT_EQ(ReadFile(C() + "/data/archive.q06"), "archive bytes");
        EXPECT_FALSE(m_files.ReplaceFile(path, AsBytes("x")));
        EXPECT_FALSE(m_files.DeleteFile(path));
        EXPECT_FALSE(m_files.CopyFile(path, L"C:\\data\\copy"));
        EXPECT_FALSE(m_files.Exists(L"C:\\data\\copy"));
    }
    auto shared = m_files.Open(path, OpenMode::kRead, false);
    auto sharedToo = m_files.Open(path, OpenMode::kRead, false);
    EXPECT_TRUE(shared && sharedToo);
    EXPECT_FALSE(m_files.Open(path, OpenMode::kRead, true));
    shared.reset();
    sharedToo.reset();
    EXPECT_TRUE(m_files.Open(path, OpenMode::kReadWrite, true));
}

TEST_F(Files, OpeningAFifoDoesNotHang) {
    ASSERT_EQ(::mkfifo((C() + "/data/pipe").c_str(), 0666), 0);
    EXPECT_FALSE(m_files.Open(L"C:\\data\\pipe", OpenMode::kRead, false));
    EXPECT_FALSE(m_files.CopyFile(L"C:\\data\\pipe", L"C:\\data\\copy"));
}

TEST_F(Files, CopyKeepsHolesModeAndTime) {
    const std::string source = C() + "/data/sparse";
    const off_t size = 64 << 20;
    {
        const int fd = ::open(source.c_str(), O_CREAT | O_WRONLY, 0444);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::ftruncate(fd, size), 0);
        ASSERT_EQ(::pwrite(fd, "head", 4, 0), 4);
        ASSERT_EQ(::pwrite(fd, "middle", 6, size / 2), 6);
        const timespec times[2] = {{0, UTIME_NOW}, {1300000000, 0}};
        ASSERT_EQ(::futimens(fd, times), 0);
        ::close(fd);
    }
    ASSERT_TRUE(m_files.CopyFile(L"C:\\data\\sparse", L"C:\\data\\copy"));
    struct stat from {
    }, to{};
    ASSERT_EQ(::stat(source.c_str(), &from), 0);
    ASSERT_EQ(::stat((C() + "/data/copy").c_str(), &to), 0);
    EXPECT_EQ(to.st_size, size);
    EXPECT_LE(to.st_blocks, from.st_blocks + 16);
    EXPECT_LT(to.st_blocks * 512, size / 16);
    EXPECT_EQ(to.st_mode & 0777, 0444u);
    EXPECT_EQ(to.st_mtim.tv_sec, 1300000000);
    EXPECT_EQ(ReadFile(C() + "/data/copy"), ReadFile(source));
    EXPECT_FALSE(m_files.CopyFile(L"C:\\data\\archive.q06", L"C:\\DATA\\ARCHIVE.Q06"));
    EXPECT_EQ(ReadFile(C() + "/data/archive.q06"), "archive bytes");
}

// A copy that breaks off (here: the file size limit) leaves neither target nor temporary file.
TEST_F(Files, FailedCopyLeavesNoTarget) {
    WriteFile(C() + "/data/big", std::string(1 << 20, 'b'));
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 64 << 10;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool copied = m_files.CopyFile(L"C:\\data\\big", L"C:\\data\\target");
    const bool replaced =
        m_files.ReplaceFile(L"C:\\data\\archive.q06", AsBytes(ReadFile(C() + "/data/big")));
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(copied);
    EXPECT_FALSE(replaced);
    EXPECT_EQ(ListFolder(C() + "/data"), "archive.q06 big");
    EXPECT_EQ(ReadFile(C() + "/data/archive.q06"), "archive bytes");
    EXPECT_FALSE(m_files.CopyFile(L"C:\\data\\missing", L"C:\\data\\target"));
    EXPECT_FALSE(m_files.CopyFile(L"C:\\data\\big", L"C:\\nowhere\\target"));
    EXPECT_EQ(ListFolder(C() + "/data"), "archive.q06 big");
}

TEST_F(Files, ReplaceSwapsInTheNewFileWhole) {
    const std::string host = C() + "/data/archive.q06";
    ::chmod(host.c_str(), 0604);
    struct stat before {};
    ASSERT_EQ(::stat(host.c_str(), &before), 0);
    ASSERT_TRUE(m_files.ReplaceFile(L"C:\\Data\\Archive.q06", AsBytes("replaced")));
    struct stat after {};
    ASSERT_EQ(::stat(host.c_str(), &after), 0);
    EXPECT_EQ(ReadFile(host), "replaced");
    EXPECT_NE(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_mode & 0777, 0604u);
    ASSERT_TRUE(m_files.ReplaceFile(L"C:\\data\\fresh.q06", AsBytes("")));
    EXPECT_EQ(ListFolder(C() + "/data"), "archive.q06 fresh.q06");
}

TEST_F(Files, ReplaceThroughALinkReplacesItsTargetAndKeepsTheLink) {
    MakeFolders(C() + "/real");
    WriteFile(C() + "/real/ids.q06", "old");
    const std::string link = C() + "/data/ids.q06";
    ASSERT_EQ(::symlink("../real/ids.q06", link.c_str()), 0);
    ASSERT_TRUE(m_files.ReplaceFile(L"C:\\data\\IDS.q06", AsBytes("new")));
    struct stat info {};
    ASSERT_EQ(::lstat(link.c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    EXPECT_EQ(ReadFile(C() + "/real/ids.q06"), "new");
    EXPECT_EQ(ListFolder(C() + "/real"), "ids.q06");
}

TEST_F(Files, FoldersAndTimes) {
    EXPECT_TRUE(m_files.CreateDirectory(L"C:\\data\\New"));
    EXPECT_TRUE(m_files.CreateDirectory(L"C:\\DATA\\new"));
    EXPECT_TRUE(m_files.IsDirectory(L"C:\\data\\NEW"));
    EXPECT_FALSE(m_files.CreateDirectory(L"C:\\missing\\New"));
    EXPECT_FALSE(m_files.CreateDirectory(L"C:\\data\\archive.q06"));
    EXPECT_FALSE(m_files.DeleteFile(L"C:\\data\\new"));

    std::tm local{};
    local.tm_year = 2011 - 1900;
    local.tm_mon = 0;
    local.tm_mday = 2;
    local.tm_hour = 3;
    local.tm_min = 4;
    local.tm_sec = 5;
    local.tm_isdst = -1;
    const timespec times[2] = {{0, UTIME_NOW}, {std::mktime(&local), 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, (C() + "/data/archive.q06").c_str(), times, 0), 0);
    const auto time = m_files.LastWriteTime(L"C:\\data\\ARCHIVE.q06");
    ASSERT_TRUE(time);
    EXPECT_EQ(time->year, 2011);
    EXPECT_EQ(time->month, 1);
    EXPECT_EQ(time->day, 2);
    EXPECT_EQ(time->hour, 3);
    EXPECT_EQ(time->minute, 4);
    EXPECT_EQ(time->second, 5);
    EXPECT_FALSE(m_files.LastWriteTime(L"C:\\data\\missing"));
}

TEST_F(Files, DocumentsFolderFromTheRegistryOrTheProfile) {
    EXPECT_EQ(m_files.DocumentsFolder(), L"C:\\users\\player\\Documents\\");
    MakeFolders(C() + "/users/steamuser/Documents");
    EXPECT_EQ(m_files.DocumentsFolder(), L"C:\\users\\steamuser\\Documents\\");
    MakeFolders(C() + "/users/player");
    EXPECT_EQ(m_files.DocumentsFolder(), L"C:\\users\\player\\Documents\\");

    WriteFile(
        m_prefix.UserReg(),
        "WINE REGISTRY Version 2\n"
        "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Explorer\\\\Shell Folders] 0\n"
        "\"Personal\"=\"C:\\\\users\\\\root\\\\My Docs\"\n");
    EXPECT_EQ(m_files.DocumentsFolder(), L"C:\\users\\root\\My Docs\\");
    // Wine links the folder to the host's documents folder; paths below it follow the link.
    platform_test::TempFolder xdg;
    MakeFolders(C() + "/users/root");
    ASSERT_EQ(::symlink(xdg.Path().c_str(), (C() + "/users/root/My Docs").c_str()), 0);
    EXPECT_EQ(m_files.HostPath(m_files.DocumentsFolder() + L"TAVU"),
              C() + "/users/root/My Docs/TAVU");
    EXPECT_TRUE(m_files.CreateDirectory(m_files.DocumentsFolder() + L"TAVU"));
    EXPECT_EQ(ListFolder(xdg.Path()), "TAVU");

    WriteFile(
        m_prefix.UserReg(),
        "WINE REGISTRY Version 2\n"
        "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Explorer\\\\Shell Folders] 0\n"
        "\"Personal\"=\"%USERPROFILE%\\\\Documents\"\n");
    EXPECT_EQ(m_files.DocumentsFolder(), L"C:\\users\\player\\Documents\\");
}

TEST_F(Files, DocumentsFolderFromUserShellFoldersFirst) {
    const std::string head =
        "WINE REGISTRY Version 2\n"
        "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Explorer\\\\Shell Folders] 0\n"
        "\"Personal\"=\"C:\\\\users\\\\player\\\\Documents\"\n"
        "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Explorer\\\\User Shell "
        "Folders] 0\n"
        "\"Personal\"=str(2):\"";
    MakeFolders(C() + "/users/player");
    WriteFile(m_prefix.UserReg(), head + "%userprofile%\\\\Papers\"\n");
    EXPECT_EQ(m_files.DocumentsFolder(), L"C:\\users\\player\\Papers\\");
    WriteFile(m_prefix.UserReg(), head + "%HOMEDRIVE%%HOMEPATH%\\\\Papers\"\n");
    EXPECT_EQ(m_files.DocumentsFolder(), L"C:\\users\\player\\Papers\\");
    WriteFile(m_prefix.UserReg(), head + "D:\\\\Shared\"\n");
    EXPECT_EQ(m_files.DocumentsFolder(), L"D:\\Shared\\");
    // A variable Wine does not set, or a stray %, leaves the cached path to decide.
    for (const char* odd : {"%ONEDRIVE%\\\\Papers", "%USERPROFILE\\\\Papers"}) {
        WriteFile(m_prefix.UserReg(), head + odd + "\"\n");
        EXPECT_EQ(m_files.DocumentsFolder(), L"C:\\users\\player\\Documents\\") << odd;
    }
}

}  // namespace
}  // namespace platform
