#include <gtest/gtest.h>

#include "kaocg/fake_file_system.h"
#include "kaocg/id_archive_bytes.h"
#include "kaocg/kao_cg_id_archive.h"

namespace kaocg_func {
namespace {

using kaocg_test::EmptyTable;
using kaocg_test::EntryOf;
using kaocg_test::FakeEntry;
using kaocg_test::FakeFile;
using kaocg_test::IdArchiveBytes;

FaceSlotTable SampleTable() {
    FaceSlotTable table = EmptyTable();
    table[0] = 0;
    table[338] = 7;
    table[2369] = 1700 | kImportedFlag;
    table[2599] = 8179;
    return table;
}

TEST(IdArchiveSave, WritesMagicAndEveryRecordWhateverTheEntries) {
    for (bool zv : {false, true}) {
        FakeEntry entry;
        FakeFile file(entry, true);
        ASSERT_TRUE(WriteFaceIdFile(file, zv, SampleTable()));
        EXPECT_EQ(entry.bytes.size(), zv ? 20816u : 18976u);
        EXPECT_EQ(entry.bytes, IdArchiveBytes(zv, SampleTable()));
        EXPECT_EQ(EntryOf(entry.bytes, 1), kNoFaceEntry);
        EXPECT_EQ(EntryOf(entry.bytes, 2369), 1700 | kImportedFlag);
    }
}

TEST(IdArchiveLoad, ReadsBackWhatWasWritten) {
    for (bool zv : {false, true}) {
        FakeEntry entry;
        entry.bytes = IdArchiveBytes(zv, SampleTable());
        FakeFile file(entry, true);
        FaceSlotTable table;
        table.fill(0x12345678);
        ASSERT_TRUE(ReadFaceIdFile(file, zv, table));
        for (std::size_t i = 0; i < kFaceSlotCount; ++i) {
            // Entries past the base edition's records are not part of its file.
            const std::uint32_t expected = zv || i < 2370 ? SampleTable()[i] : 0x12345678;
            ASSERT_EQ(table[i], expected) << i;
        }
    }
}

TEST(IdArchiveLoad, RejectsTheOtherEditionsMagic) {
    for (bool zv : {false, true}) {
        FakeEntry entry;
        entry.bytes = IdArchiveBytes(!zv, SampleTable());
        FakeFile file(entry, true);
        FaceSlotTable table = EmptyTable();
        EXPECT_FALSE(ReadFaceIdFile(file, zv, table));
        EXPECT_EQ(table, EmptyTable());
    }
}

TEST(IdArchiveLoad, RejectsShortOrAlteredMagic) {
    const std::vector<std::uint8_t> good = IdArchiveBytes(false, SampleTable());
    std::vector<std::vector<std::uint8_t>> bad = {
        {},
        std::vector<std::uint8_t>(good.begin(), good.begin() + 15),
        good,
        good,
    };
    bad[2][15] = 0;   // a terminating zero instead of the last blank
    bad[3][0] = 'K';  // the comparison is byte for byte, case included
    for (const auto& bytes : bad) {
        FakeEntry entry;
        entry.bytes = bytes;
        FakeFile file(entry, true);
        FaceSlotTable table = EmptyTable();
        EXPECT_FALSE(ReadFaceIdFile(file, false, table));
        EXPECT_EQ(table, EmptyTable());
    }
}

TEST(IdArchiveLoad, RecordOutOfPlaceFailsAfterStoringTheOnesBefore) {
    FaceSlotTable written = EmptyTable();
    written[4] = 44;
    written[6] = 66;
    FakeEntry entry;
    entry.bytes = IdArchiveBytes(false, written);
    entry.bytes[16 + 8 * 5] = 9;  // record 5 claims general code 9
    {
        FakeFile file(entry, true);
        FaceSlotTable table = EmptyTable();
        CKaoCGIDArchive archive(&file, TransferMode::Load, &table, false);
        ASSERT_TRUE(archive.SerializeHeader());
        EXPECT_FALSE(archive.SerializeBody());
        EXPECT_EQ(table[4], 44u);
        EXPECT_EQ(table[6], kNoFaceEntry);
    }
    FakeFile file(entry, true);
    FaceSlotTable table = EmptyTable();
    EXPECT_FALSE(ReadFaceIdFile(file, false, table));
    EXPECT_EQ(table, EmptyTable()) << "a failed whole-file read changes nothing";
}

TEST(IdArchiveLoad, FileEndingEarlyKeepsTheMissingEntries) {
    FaceSlotTable written = EmptyTable();
    written[9] = 99;
    written[10] = 100;
    written[11] = 110;
    FakeEntry entry;
    entry.bytes = IdArchiveBytes(false, written);
    // Record 10 keeps its code but loses its value; record 11 and later are gone.
    entry.bytes.resize(16 + 8 * 10 + 6);
    FakeFile file(entry, true);
    FaceSlotTable table;
    table.fill(5);
    ASSERT_TRUE(ReadFaceIdFile(file, false, table));
    EXPECT_EQ(table[9], 99u);
    EXPECT_EQ(table[10], 5u) << "a half-read value must not be stored";
    EXPECT_EQ(table[11], 5u);
    EXPECT_EQ(table[2369], 5u);
}

TEST(IdArchive, NoFileOrUnknownModeFailsEveryOperation) {
    FaceSlotTable table = EmptyTable();
    for (TransferMode mode : {TransferMode::Load, TransferMode::Save}) {
        CKaoCGIDArchive archive(nullptr, mode, &table, true);
        EXPECT_FALSE(archive.SerializeHeader());
        EXPECT_FALSE(archive.SerializeBody());
    }
    FakeEntry entry;
    entry.bytes = IdArchiveBytes(true, SampleTable());
    FakeFile file(entry, true);
    CKaoCGIDArchive unknown(&file, static_cast<TransferMode>(2), &table, true);
    EXPECT_FALSE(unknown.SerializeHeader());
    EXPECT_FALSE(unknown.SerializeBody());
    CKaoCGIDArchive noTable(&file, TransferMode::Load, nullptr, true);
    EXPECT_FALSE(noTable.SerializeBody());
    EXPECT_EQ(table, EmptyTable());
    EXPECT_EQ(entry.bytes, IdArchiveBytes(true, SampleTable()));
}

}  // namespace
}  // namespace kaocg_func
