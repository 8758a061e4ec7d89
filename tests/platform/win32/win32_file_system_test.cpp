#include "platform/win32_file_system.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "win32_test_support.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

class Win32FileSystemTest : public ::testing::Test {
protected:
    std::wstring Path(const wchar_t* name) const { return m_folder.Path() + name; }

    Bytes Contents(const std::wstring& path) {
        auto file = m_files.Open(path, platform::OpenMode::kRead, false);
        if (!file) {
            return {};
        }
        Bytes bytes(file->Size());
        bytes.resize(file->Read(bytes.data(), bytes.size()));
        return bytes;
    }

    // The names in the folder: a replacement or copy must leave no file of its own behind.
    std::vector<std::wstring> Names() const {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW found{};
        HANDLE search = ::FindFirstFileW((m_folder.Path() + L"*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring name = found.cFileName;
                if (name != L"." && name != L"..") {
                    names.push_back(name);
                }
            } while (::FindNextFileW(search, &found));
            ::FindClose(search);
        }
        return names;
    }

    win32test::TempFolder m_folder;
    platform::Win32FileSystem m_files;
};

TEST_F(Win32FileSystemTest, ReplaceCreatesAndReplacesWholeFiles) {
    const std::wstring target = Path(L"kaoeditzv.q06");
    ASSERT_TRUE(m_files.ReplaceFile(target, Bytes{1, 2, 3}));
    EXPECT_EQ(Contents(target), (Bytes{1, 2, 3}));
    ASSERT_TRUE(m_files.ReplaceFile(target, Bytes{9}));
    EXPECT_EQ(Contents(target), Bytes{9});
    EXPECT_EQ(Names(), std::vector<std::wstring>{L"kaoeditzv.q06"});
}

TEST_F(Win32FileSystemTest, ReplaceLeavesAnOpenOrReadOnlyTargetAsItWas) {
    const std::wstring target = Path(L"kaoeditzv.q06");
    ASSERT_TRUE(m_files.ReplaceFile(target, Bytes{1, 2, 3}));
    {
        auto open = m_files.Open(target, platform::OpenMode::kRead, false);
        ASSERT_TRUE(open);
        EXPECT_FALSE(m_files.ReplaceFile(target, Bytes{4, 5}));
        EXPECT_EQ(Contents(target), (Bytes{1, 2, 3}));
        EXPECT_FALSE(m_files.DeleteFile(target));
    }
    ASSERT_TRUE(m_files.SetReadOnly(target, true));
    EXPECT_FALSE(m_files.ReplaceFile(target, Bytes{4, 5}));
    EXPECT_FALSE(m_files.DeleteFile(target));
    EXPECT_EQ(Contents(target), (Bytes{1, 2, 3}));
    EXPECT_EQ(Names(), std::vector<std::wstring>{L"kaoeditzv.q06"});

    ASSERT_TRUE(m_files.SetReadOnly(target, false));
    EXPECT_TRUE(m_files.ReplaceFile(target, Bytes{4, 5}));
    EXPECT_EQ(Contents(target), (Bytes{4, 5}));
}

TEST_F(Win32FileSystemTest, CopiesOverWritableTargetsOnlyAndDropsTheReadOnlyAttribute) {
    const std::wstring source = Path(L"KAO_S.q06");
    const std::wstring target = Path(L"EDIT_KAO_S.q06");
    ASSERT_TRUE(m_files.ReplaceFile(source, Bytes{7, 7}));
    ASSERT_TRUE(m_files.SetReadOnly(source, true));
    ASSERT_TRUE(m_files.ReplaceFile(target, Bytes{1}));

    ASSERT_TRUE(m_files.CopyFile(source, target));
    EXPECT_EQ(Contents(target), (Bytes{7, 7}));
    EXPECT_FALSE(m_files.IsReadOnly(target));

    ASSERT_TRUE(m_files.SetReadOnly(target, true));
    ASSERT_TRUE(m_files.SetReadOnly(source, false));
    ASSERT_TRUE(m_files.ReplaceFile(source, Bytes{8}));
    EXPECT_FALSE(m_files.CopyFile(source, target));
    EXPECT_EQ(Contents(target), (Bytes{7, 7}));
    EXPECT_FALSE(m_files.CopyFile(Path(L"missing"), Path(L"copy")));
    EXPECT_EQ(Names().size(), 2u);
}

TEST_F(Win32FileSystemTest, OpensHonourTheModeTheAttributeAndExclusiveness) {
    const std::wstring path = Path(L"EDIT_KAO_L.q06");
    {
        auto file = m_files.Open(path, platform::OpenMode::kCreateWrite, false);
        ASSERT_TRUE(file);
        ASSERT_TRUE(file->Seek(4));
        ASSERT_TRUE(file->Write("ab", 2));
        EXPECT_EQ(file->Position(), 6u);
        EXPECT_EQ(file->Size(), 6u);
        EXPECT_TRUE(file->Flush());
    }
    EXPECT_EQ(Contents(path), (Bytes{0, 0, 0, 0, 'a', 'b'}));
    EXPECT_FALSE(m_files.Open(Path(L"missing"), platform::OpenMode::kRead, false));
    EXPECT_FALSE(m_files.Open(m_folder.Path(), platform::OpenMode::kRead, false));
    {
        auto exclusive = m_files.Open(path, platform::OpenMode::kRead, true);
        ASSERT_TRUE(exclusive);
        EXPECT_FALSE(m_files.Open(path, platform::OpenMode::kRead, true));
        EXPECT_FALSE(m_files.Open(path, platform::OpenMode::kRead, false));
    }
    ASSERT_TRUE(m_files.SetReadOnly(path, true));
    EXPECT_TRUE(m_files.IsReadOnly(path));
    EXPECT_TRUE(m_files.Open(path, platform::OpenMode::kRead, false));
    EXPECT_FALSE(m_files.Open(path, platform::OpenMode::kReadWrite, false));
    EXPECT_FALSE(m_files.Open(path, platform::OpenMode::kCreateWrite, false));
    EXPECT_EQ(Contents(path).size(), 6u);
}

TEST_F(Win32FileSystemTest, FoldersAndLastWriteTime) {
    const std::wstring folder = Path(L"GRP");
    EXPECT_TRUE(m_files.CreateDirectory(folder));
    EXPECT_TRUE(m_files.CreateDirectory(folder));
    EXPECT_TRUE(m_files.IsDirectory(folder));
    EXPECT_FALSE(m_files.CreateDirectory(Path(L"missing\\GRP")));

    const std::wstring game = Path(L"QRVN06ZV.exe");
    ASSERT_TRUE(m_files.ReplaceFile(game, Bytes{0}));
    EXPECT_FALSE(m_files.IsDirectory(game));
    SYSTEMTIME summer{2011, 7, 5, 1, 12, 0, 0, 0};
    FILETIME stamp{};
    ASSERT_TRUE(::SystemTimeToFileTime(&summer, &stamp));
    {
        HANDLE handle = ::CreateFileW(game.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(handle, INVALID_HANDLE_VALUE);
        ASSERT_TRUE(::SetFileTime(handle, nullptr, nullptr, &stamp));
        ::CloseHandle(handle);
    }
    const auto time = m_files.LastWriteTime(game);
    ASSERT_TRUE(time);
    EXPECT_EQ(time->year, 2011);
    EXPECT_EQ(time->month, 7);
    EXPECT_FALSE(m_files.LastWriteTime(Path(L"missing")));
}

TEST_F(Win32FileSystemTest, TheDocumentsFolderIsAnExistingFolderWithATrailingBackslash) {
    const std::wstring documents = m_files.DocumentsFolder();
    ASSERT_FALSE(documents.empty());
    EXPECT_EQ(documents.back(), L'\\');
    EXPECT_TRUE(m_files.IsDirectory(documents));
}

}  // namespace
