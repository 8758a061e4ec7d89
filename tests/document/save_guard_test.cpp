// What keeps a player's earlier work: the backups of the face-assignment file that each save
// leaves, and the question before a registration overwrites a used slot.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "document/document.h"
#include "document/face_assignment_save.h"
#include "document/overwrite_guard.h"
#include "document/registration.h"
#include "support/demo_prefix.h"
#include "support/recording_ui.h"

namespace document {
namespace {

namespace fs = std::filesystem;

std::string Contents(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

class SaveGuard : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("XDG_RUNTIME_DIR", demo.Path().c_str(), 1);
        ASSERT_TRUE(doc.LoadAllData());
        ui.ClearRecords();
    }
    fs::path Folder() { return demo.Host(demo.Settings().editDataFolder); }
    fs::path IdArchive() { return Folder() / "kaoeditzv.q06"; }
    std::vector<std::string> Backups() {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(Folder())) {
            if (entry.path().extension() == ".bak") {
                names.push_back(entry.path().filename().string());
            }
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    // Saves one changed face, then dates the file to a minute of its own, as saves made
    // minutes apart would be.
    void SaveAt(int minute) {
        roster::bushou& general = *doc.GeneralManager()->at(0);
        ChangeFace(doc, general, general.CurrentFace() == 1700 ? 1701 : 1700);
        ASSERT_TRUE(doc.Save());
        const timespec times[2] = {{0, UTIME_OMIT}, {1'800'000'000 + minute * 60, 0}};
        ASSERT_EQ(::utimensat(AT_FDCWD, IdArchive().c_str(), times, 0), 0);
    }
    bool Register(std::int32_t faceNumber) {
        auto dib = picture::CDIB::CreateWithPixels(240, -240, {}, 24);
        return dib && dib->Fill(0x808080) && RegisterFace(doc, *dib, *dib, *dib, faceNumber);
    }

    testsupport::DemoPrefix demo;
    testsupport::RecordingUi ui;
    CQ06KaoCgEditDoc doc{demo.Platform(), demo.Settings(), {ui, ui, ui, ui}};
};

TEST_F(SaveGuard, EachSaveKeepsThePreviousFileAndOnlyTheLastFive) {
    SaveAt(0);
    EXPECT_TRUE(Backups().empty()) << "the first save had no file to keep";
    const std::string first = Contents(IdArchive());
    SaveAt(1);
    ASSERT_EQ(Backups().size(), 1u);
    EXPECT_EQ(Contents(Folder() / Backups()[0]), first);
    for (int minute = 2; minute < 9; ++minute) {
        SaveAt(minute);
    }
    const std::vector<std::string> kept = Backups();
    ASSERT_EQ(kept.size(), kKeptBackups);
    platform::LocalTime newest =
        *demo.Files().LastWriteTime(demo.Settings().editDataFolder + L"kaoeditzv.q06");
    newest.minute -= 1;  // the file saved before the last save
    EXPECT_EQ(fs::path(kept.back()).wstring(), FaceAssignmentBackupName(1, newest));
}

TEST(FaceAssignmentBackup, NamesSortByTheirTimes) {
    EXPECT_EQ(FaceAssignmentBackupName(0, {2026, 12, 9, 4, 18, 37}),
              L"kaoedit.q06.20261209-041837.bak");
    EXPECT_LT(FaceAssignmentBackupName(1, {2026, 9, 30, 23, 59, 59}),
              FaceAssignmentBackupName(1, {2026, 10, 1, 0, 0, 0}));
}

TEST_F(SaveGuard, AFreeSlotIsRegisteredWithoutAQuestion) {
    EXPECT_TRUE(ConfirmOverwrite(doc, 1710));
    EXPECT_TRUE(ui.dialogs.empty());
}

TEST_F(SaveGuard, AUsedSlotAsksWithItsNumberPictureAndWearers) {
    ASSERT_TRUE(Register(1710));
    roster::bushou_manager& generals = *doc.GeneralManager();
    ChangeFace(doc, *generals.at(0), 1710);
    ChangeFace(doc, *generals.at(1), 1710);
    ASSERT_TRUE(doc.Save());
    ChangeFace(doc, *generals.at(1), 1711);  // the file still gives it 1710
    ui.ClearRecords();
    ui.answer = IMessageDialog::kResultNo;
    EXPECT_FALSE(ConfirmOverwrite(doc, 1710));
    ASSERT_EQ(ui.discardQuestions, 1);
    EXPECT_TRUE(ui.lastQuestionHadPicture);
    const std::wstring& text = ui.dialogs.back();
    const std::wstring first = generals.at(0)->Name(), second = generals.at(1)->Name();
    EXPECT_NE(text.find(L"1710"), std::wstring::npos);
    EXPECT_NE(text.find(L"：" + first + L"\n"), std::wstring::npos) << "wearing it now";
    EXPECT_NE(text.find(L"：" + first + L"、" + second + L"\n"), std::wstring::npos)
        << "wearing it in the saved file";
    ui.answer = IMessageDialog::kResultYes;
    EXPECT_TRUE(ConfirmOverwrite(doc, 1710));
}

TEST(OverwriteQuestion, NamesManyWearersShortlyAndNobodyAsSuch) {
    EXPECT_EQ(NameList({}), L"無");
    std::vector<std::wstring> many(12, L"甲");
    EXPECT_EQ(NameList(many), L"甲、甲、甲、甲、甲、甲、甲、甲 等12名");
    const std::wstring same = OverwriteQuestion(1700, {{L"甲"}, {L"甲"}});
    EXPECT_EQ(same.find(L"儲存資料"), std::wstring::npos) << "the saved wearers only when other";
}

}  // namespace
}  // namespace document
