// Undo and redo of the three editing commands against the roster and the archive bytes, the
// history's bounds, and the unsaved state across undo and save.
#include "document/edit_history.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "document/document.h"
#include "document/registration.h"
#include "kaocg/image_archive_layout.h"
#include "kaocg/kao_file_path.h"
#include "support/demo_prefix.h"
#include "support/recording_ui.h"

namespace document {
namespace {

namespace fs = std::filesystem;

picture::CDIB Solid(int width, int height, std::uint8_t grey) {
    auto dib = picture::CDIB::CreateWithPixels(width, -height, {}, 24);
    EXPECT_TRUE(dib);
    EXPECT_TRUE(dib->Fill(std::uint32_t{grey} * 0x010101u));
    return std::move(*dib);
}

class History : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("XDG_RUNTIME_DIR", demo.Path().c_str(), 1);
        ASSERT_TRUE(doc.LoadAllData());
        ui.ClearRecords();
    }

    fs::path Archive(int kind) {
        std::wstring path;
        kaocg_func::BuildKaoFilePath(kind, demo.Settings().editDataFolder,
                                     demo.Settings().stockDataFolder, path);
        return demo.Files().HostPath(path);
    }
    std::string Read(int kind, std::uint64_t offset, std::uint64_t count) {
        std::string bytes(count, '\0');
        std::ifstream file(Archive(kind), std::ios::binary);
        file.seekg(static_cast<std::streamoff>(offset));
        file.read(bytes.data(), static_cast<std::streamsize>(count));
        return file ? bytes : std::string();
    }
    // Everything a registration into slot 3 can reach: the header, table and info directory,
    // slots 2 to 4, the bitmap to the end of the file, and the size. (Reading the whole
    // archives takes seconds.)
    std::string Contents(int kind) {
        const std::uint64_t size = fs::file_size(Archive(kind));
        const std::uint64_t bitmap = kaocg_func::UsedSlotBitmapOffset(kind);
        const std::uint64_t slot2 = kaocg_func::DefaultSlotOffset(kind, 2);
        return std::to_string(size) + Read(kind, 0, kaocg_func::DefaultFirstSlotOffset(kind)) +
               Read(kind, slot2, kaocg_func::DefaultSlotOffset(kind, 5) - slot2) +
               Read(kind, bitmap, size - bitmap);
    }
    std::vector<std::string> AllArchives() {
        return {Contents(kaocg_func::kKindEditLarge), Contents(kaocg_func::kKindEditMedium),
                Contents(kaocg_func::kKindEditSmall)};
    }
    bool Register(std::uint8_t grey, std::int32_t faceNumber) {
        return RegisterFace(doc, Solid(240, 240, grey), Solid(96, 120, grey), Solid(60, 60, grey),
                            faceNumber);
    }
    std::uint8_t ThumbnailGrey(std::int32_t slot) {
        return doc.Thumbnails().At(slot)->PixelAddress(30, 30)[0];
    }
    roster::bushou& General(int position) { return *doc.GeneralManager()->at(position); }

    testsupport::DemoPrefix demo;
    testsupport::RecordingUi ui;
    CQ06KaoCgEditDoc doc{demo.Platform(), demo.Settings(), {ui, ui, ui, ui}};
};

TEST_F(History, UndoingRegistrationsPutsEveryArchiveByteBackAndRedoAgain) {
    const std::vector<std::string> blank = AllArchives();
    ASSERT_TRUE(Register(100, 1703));
    const std::vector<std::string> first = AllArchives();
    ASSERT_TRUE(Register(200, 1703));  // overwrites the first face
    ASSERT_EQ(doc.History().NextUndo()->Name(), L"載入圖像");
    EXPECT_EQ(ThumbnailGrey(3), 200);

    ASSERT_TRUE(doc.Undo());
    EXPECT_TRUE(AllArchives() == first) << "the overwritten face is back";
    EXPECT_EQ(ThumbnailGrey(3), 100);
    ASSERT_TRUE(doc.Undo());
    EXPECT_TRUE(AllArchives() == blank) << "slot and used-slot bits as before";
    EXPECT_EQ(ThumbnailGrey(3), 0);
    EXPECT_FALSE(doc.History().CanUndo());

    ASSERT_TRUE(doc.Redo());
    EXPECT_TRUE(AllArchives() == first);
    EXPECT_EQ(ThumbnailGrey(3), 100);
    EXPECT_TRUE(
        fs::status(Archive(kaocg_func::kKindEditLarge)).permissions() ==
        (fs::status(Archive(kaocg_func::kKindEditLarge)).permissions() & ~fs::perms::owner_write))
        << "read-only again after the write";
    EXPECT_TRUE(ui.dialogs.empty());
    EXPECT_EQ(ui.fills, 5) << "the list shows each state";
}

TEST_F(History, AFailedUndoWriteIsReportedAndTheStepStays) {
    ASSERT_TRUE(Register(100, 1700));
    fs::remove(Archive(kaocg_func::kKindEditMedium));
    EXPECT_FALSE(doc.Undo());
    ASSERT_EQ(ui.dialogs.size(), 1u);
    EXPECT_TRUE(doc.History().CanUndo());
}

TEST_F(History, FaceChangesGoBackAndForthAndTheUnsavedStateFollows) {
    roster::bushou& general = General(0);
    const std::int32_t original = general.CurrentFace();
    ChangeFace(doc, general, 1700);
    ChangeFace(doc, general, 1701);
    ChangeFace(doc, general, 1701);  // no change, no step
    ASSERT_EQ(doc.History().Count(), 2u);
    EXPECT_EQ(doc.History().NextUndo()->Name(), L"變更圖像");

    ASSERT_TRUE(doc.Save());
    EXPECT_FALSE(doc.GeneralManager()->HasUnsavedChanges());
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(general.CurrentFace(), 1700);
    EXPECT_TRUE(doc.GeneralManager()->HasUnsavedChanges()) << "the file holds 1701";
    ASSERT_TRUE(doc.Redo());
    EXPECT_FALSE(doc.GeneralManager()->HasUnsavedChanges()) << "back at the saved state";
    EXPECT_EQ(general.DisplayName(), general.Name());
    ASSERT_TRUE(doc.Undo());
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(general.CurrentFace(), original);
    EXPECT_FALSE(doc.Undo());
}

TEST_F(History, InitializeAllIsOneStepThatBringsEveryFaceBack) {
    ChangeFace(doc, General(0), 1700);
    ChangeFace(doc, General(5), 1705);
    doc.ResetFacesToDefaults();
    EXPECT_FALSE(doc.GeneralManager()->DiffersFromShipped());
    EXPECT_EQ(doc.History().NextUndo()->Name(), L"全初始化");
    ASSERT_TRUE(doc.Undo());
    EXPECT_EQ(General(0).CurrentFace(), 1700);
    EXPECT_EQ(General(5).CurrentFace(), 1705);
    const std::size_t steps = doc.History().Count();
    doc.ResetFacesToDefaults();
    EXPECT_EQ(doc.History().Count(), steps) << "a new step forgets the undone one";
    doc.ResetFacesToDefaults();
    EXPECT_EQ(doc.History().Count(), steps) << "nothing to reset, no step";
}

// A step that changes one number, recording how often it ran.
class CountingStep final : public EditStep {
public:
    CountingStep(int id, std::size_t bytes) : m_id(id), m_bytes(bytes) {}
    std::wstring_view Name() const override { return L"step"; }
    std::size_t Bytes() const override { return m_bytes; }
    bool Undo(EditTarget&) const override {
        last = -m_id;
        return true;
    }
    bool Redo(EditTarget&) const override {
        last = m_id;
        return true;
    }
    static inline int last = 0;

private:
    int m_id;
    std::size_t m_bytes;
};

TEST(EditHistoryBounds, TheOldestStepsGoFirstByCountAndBySize) {
    EditHistory byCount({3, 1000});
    for (int id = 1; id <= 5; ++id) {
        byCount.Push(std::make_unique<CountingStep>(id, 10));
    }
    EXPECT_EQ(byCount.Count(), 3u);
    EXPECT_EQ(byCount.Bytes(), 30u);

    EditHistory bySize({100, 25});
    for (int id = 1; id <= 4; ++id) {
        bySize.Push(std::make_unique<CountingStep>(id, 10));
    }
    EXPECT_EQ(bySize.Count(), 2u);
    bySize.Push(std::make_unique<CountingStep>(9, 40));
    EXPECT_EQ(bySize.Count(), 1u) << "the newest step stays, however large";
    EXPECT_TRUE(bySize.CanUndo());
}

TEST_F(History, TheBoundCountsTheStepsLeftToUndo) {
    EditHistory history({2, 1000});
    for (int id = 1; id <= 3; ++id) {
        history.Push(std::make_unique<CountingStep>(id, 1));
    }
    EditTarget target = doc.HistoryTarget();
    ASSERT_TRUE(history.Undo(target));
    EXPECT_EQ(CountingStep::last, -3);
    ASSERT_TRUE(history.Undo(target));
    EXPECT_EQ(CountingStep::last, -2);
    EXPECT_FALSE(history.Undo(target)) << "step 1 was dropped";
    ASSERT_TRUE(history.Redo(target));
    history.Push(std::make_unique<CountingStep>(7, 1));
    EXPECT_FALSE(history.CanRedo()) << "step 3 was forgotten";
    EXPECT_EQ(history.Count(), 2u);
}

}  // namespace
}  // namespace document
