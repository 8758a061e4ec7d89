#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>
#include <vector>

#include "document/edit_archives.h"
#include "kaocg/image_archive_layout.h"
#include "resources/string_table.h"
#include "support/demo_prefix.h"
#include "support/recording_ui.h"

namespace document {
namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> ReadRange(const fs::path& path, std::size_t at, std::size_t count) {
    std::vector<std::uint8_t> bytes(count);
    std::ifstream in(path, std::ios::binary);
    in.seekg(static_cast<std::streamoff>(at));
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(count));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}

// Files of a few hundred megabytes, compared a megabyte at a time.
bool SameContents(const fs::path& a, const fs::path& b) {
    const std::size_t size = fs::file_size(a);
    if (size != fs::file_size(b)) {
        return false;
    }
    constexpr std::size_t kChunk = 1 << 20;
    for (std::size_t at = 0; at < size; at += kChunk) {
        if (ReadRange(a, at, kChunk) != ReadRange(b, at, kChunk)) {
            return false;
        }
    }
    return true;
}

std::uint16_t U16At(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

bool IsReadOnly(const fs::path& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && (info.st_mode & 0222) == 0;
}

class EditArchives : public ::testing::Test {
protected:
    fs::path Target(const wchar_t* name) {
        return demo.Host(demo.Settings().editDataFolder + L"GRP\\" + name);
    }
    fs::path Template(const wchar_t* name) {
        return demo.Host(demo.Settings().stockDataFolder + name);
    }
    bool Prepare() {
        return PrepareEditArchives(demo.Files(), demo.Settings(), messages, progress);
    }

    testsupport::DemoPrefix demo;
    testsupport::RecordingUi messages;
    testsupport::RecordingUi& progress = messages;
};

TEST_F(EditArchives, FirstRunCopiesAndPatchesThenLaterRunsLeaveThemAlone) {
    ASSERT_FALSE(fs::exists(Target(L"EDIT_KAO_S.Q06").parent_path()));
    ASSERT_TRUE(Prepare());
    EXPECT_EQ(progress.steps, 3);
    EXPECT_TRUE(messages.boxes.empty());
    EXPECT_TRUE(SameContents(Target(L"EDIT_KAO_M.Q06"), Template(L"EDIT_KAO_M.Q06")));
    EXPECT_TRUE(SameContents(Target(L"EDIT_KAO_S.Q06"), Template(L"EDIT_KAO_S.Q06")));

    // In the large copy only the directory's two size fields changed.
    const fs::path copy = Target(L"EDIT_KAO_L.Q06");
    const fs::path original = Template(L"EDIT_KAO_L.Q06");
    ASSERT_EQ(fs::file_size(copy), fs::file_size(original));
    const std::size_t directory = kaocg_func::InfoDirectoryOffset(kaocg_func::kKindEditLarge, 1);
    const std::size_t end = directory + 12 * kaocg_func::kEditEntryCount;
    std::vector<std::uint8_t> patched = ReadRange(copy, 0, end + 65536);
    std::vector<std::uint8_t> expected = ReadRange(original, 0, end + 65536);
    for (std::size_t at = directory; at < end; at += 12) {
        ASSERT_EQ(U16At(patched, at + 4), 240) << at;
        ASSERT_EQ(U16At(patched, at + 6), 240) << at;
        for (std::size_t k = 4; k < 8; ++k) {
            expected[at + k] = patched[at + k];
        }
    }
    EXPECT_EQ(patched, expected);
    const std::uint64_t bitmap = kaocg_func::UsedSlotBitmapOffset(kaocg_func::kKindEditLarge);
    EXPECT_EQ(ReadRange(copy, bitmap - 4096, 8192), ReadRange(original, bitmap - 4096, 8192));
    EXPECT_TRUE(IsReadOnly(copy));

    // A second run copies nothing, even over a changed copy.
    fs::permissions(Target(L"EDIT_KAO_L.Q06"), fs::perms::owner_write, fs::perm_options::add);
    {
        std::fstream(Target(L"EDIT_KAO_L.Q06"), std::ios::in | std::ios::out | std::ios::binary)
            .put('X');
    }
    ASSERT_TRUE(Prepare());
    EXPECT_EQ(progress.steps, 6);
    EXPECT_EQ(ReadRange(Target(L"EDIT_KAO_L.Q06"), 0, 1)[0], 'X');
}

TEST_F(EditArchives, MissingTemplateFailsWithMessage429) {
    fs::remove(Template(L"EDIT_KAO_M.Q06"));
    EXPECT_FALSE(Prepare());
    ASSERT_EQ(messages.boxes.size(), 1u);
    EXPECT_EQ(messages.boxes[0], resources::LoadString(resources::IDS_FACE_DATA_NOT_FOUND));
    EXPECT_TRUE(fs::exists(Target(L"EDIT_KAO_L.Q06")));  // made before the failure, kept
    EXPECT_FALSE(fs::exists(Target(L"EDIT_KAO_M.Q06")));
    EXPECT_EQ(progress.steps, 1);
}

TEST_F(EditArchives, AFailedPatchDeletesTheLargeCopy) {
    // A template cut short: its header promises a directory the file does not hold.
    fs::resize_file(Template(L"EDIT_KAO_L.Q06"), 1000);
    EXPECT_FALSE(Prepare());
    EXPECT_FALSE(fs::exists(Target(L"EDIT_KAO_L.Q06")));
    EXPECT_EQ(messages.boxes.size(), 1u);
}

}  // namespace
}  // namespace document
