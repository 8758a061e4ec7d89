#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "document/document.h"
#include "document/game_environment.h"
#include "lumo/io/utf.h"
#include "resources/string_table.h"
#include "support/demo_prefix.h"
#include "support/recording_ui.h"

namespace document {
namespace {

namespace fs = std::filesystem;

using FakeUi = testsupport::RecordingUi;

std::wstring Text(int id) {
    return std::wstring(resources::LoadString(id));
}

class Document : public ::testing::Test {
protected:
    void SetUp() override {
        // The game's mutex lives in the runtime folder; keep this test's apart.
        setenv("XDG_RUNTIME_DIR", demo.Path().c_str(), 1);
        ASSERT_TRUE(doc.LoadAllData());
    }

    roster::bushou* FirstChangeable() {
        for (int i = 0; i < doc.GeneralManager()->count(); ++i) {
            roster::bushou* general = doc.GeneralManager()->at(i);
            if (general->Code() != 338 && general->Code() != 2274) {
                return general;
            }
        }
        return nullptr;
    }

    testsupport::DemoPrefix demo;
    FakeUi ui;
    CQ06KaoCgEditDoc doc{demo.Platform(), demo.Settings(), {ui, ui, ui, ui}};
};

TEST_F(Document, LoadingFillsTheListWithTheProgressSteps) {
    EXPECT_EQ(ui.progressText, Text(resources::IDS_LOADING_DATA));
    EXPECT_EQ(ui.progressRange, 43);
    EXPECT_EQ(ui.steps, 1 + 3 + 1 + 20 + 1 + 16);
    EXPECT_EQ(ui.fills, 1);
    EXPECT_EQ(ui.closes, 1);
    EXPECT_TRUE(ui.boxes.empty());
    ASSERT_NE(doc.GeneralManager(), nullptr);
    EXPECT_EQ(doc.GeneralManager()->count(), 1480);
    EXPECT_EQ(doc.Thumbnails().Count(), 1100 + 1598);
    EXPECT_FALSE(doc.GeneralManager()->HasUnsavedChanges());
    EXPECT_FALSE(doc.GeneralManager()->DiffersFromShipped());
}

TEST_F(Document, SaveWritesTheArchiveAndClearsTheMarks) {
    roster::bushou* general = FirstChangeable();
    general->SetCurrentFace(1707);
    EXPECT_TRUE(doc.GeneralManager()->HasUnsavedChanges());
    ASSERT_TRUE(doc.Save());
    EXPECT_EQ(ui.dialogs.back(), Text(resources::IDS_SAVED));
    EXPECT_EQ(ui.kinds.back(), IMessageDialog::kConfirm);
    EXPECT_FALSE(doc.GeneralManager()->HasUnsavedChanges());
    EXPECT_TRUE(doc.GeneralManager()->DiffersFromShipped());
    EXPECT_EQ(fs::file_size(demo.Host(demo.Settings().editDataFolder + L"kaoeditzv.q06")),
              16u + 8u * 2600u);

    // A second document reads the face back.
    FakeUi other;
    CQ06KaoCgEditDoc reloaded{demo.Platform(), demo.Settings(), {other, other, other, other}};
    ASSERT_TRUE(reloaded.LoadAllData());
    EXPECT_EQ(reloaded.GeneralManager()->at(general->RowIndex())->CurrentFace(), 1707);
    EXPECT_FALSE(reloaded.GeneralManager()->HasUnsavedChanges());
}

TEST_F(Document, AFailedSaveSays426AndKeepsTheChanges) {
    // A folder where the archive should be: nothing can replace it.
    fs::create_directories(demo.Host(demo.Settings().editDataFolder + L"kaoeditzv.q06") / "x");
    FirstChangeable()->SetCurrentFace(1707);
    EXPECT_FALSE(doc.Save());
    EXPECT_EQ(ui.dialogs.back(), Text(resources::IDS_SAVE_FAILED));
    EXPECT_TRUE(doc.GeneralManager()->HasUnsavedChanges());
}

TEST_F(Document, ExitAsksOnlyWithUnsavedChanges) {
    EXPECT_TRUE(doc.SaveModified());
    EXPECT_TRUE(ui.dialogs.empty());

    FirstChangeable()->SetCurrentFace(1707);
    ui.answer = IMessageDialog::kResultNo;
    EXPECT_FALSE(doc.SaveModified());
    EXPECT_EQ(ui.dialogs.back(), Text(resources::IDS_EXIT_UNSAVED_QUESTION));
    EXPECT_EQ(ui.kinds.back(), IMessageDialog::kYesNo);
    EXPECT_EQ(ui.discardQuestions, 1) << "Enter answers 否";
    ui.answer = IMessageDialog::kResultYes;
    EXPECT_TRUE(doc.SaveModified());
    // Closing without saving writes nothing.
    EXPECT_FALSE(fs::exists(demo.Host(demo.Settings().editDataFolder + L"kaoeditzv.q06")));
}

TEST_F(Document, WhileTheGameRunsNothingIsWrittenAndTheExitQuestionSaysSo) {
    auto game = demo.Platform().GetProcesses().OpenGlobalMutex(game::kGameMutex);
    ASSERT_TRUE(game);
    EXPECT_FALSE(doc.ConfirmGameNotRunning());
    // The message names the process that holds the game's mutex: this one.
    const std::wstring pid = L"PID " + std::to_wstring(::getpid()) + L"）";
    EXPECT_TRUE(ui.dialogs.back().starts_with(Text(resources::IDS_QUIT_GAME_FIRST)));
    EXPECT_TRUE(ui.dialogs.back().ends_with(pid)) << lumo::WideToUtf8(ui.dialogs.back());
    EXPECT_EQ(ui.kinds.back(), IMessageDialog::kConfirm);

    FirstChangeable()->SetCurrentFace(1707);
    ui.answer = IMessageDialog::kResultYes;
    EXPECT_TRUE(doc.SaveModified());
    EXPECT_TRUE(ui.dialogs.back().starts_with(Text(resources::IDS_EXIT_GAME_RUNNING_QUESTION)));
    EXPECT_TRUE(ui.dialogs.back().ends_with(pid));
    EXPECT_EQ(ui.discardQuestions, 1) << "Enter answers 否";
    game.reset();
    EXPECT_TRUE(doc.ConfirmGameNotRunning());
}

TEST_F(Document, ResettingFacesKeepsTheFixedGenerals) {
    roster::bushou_manager& generals = *doc.GeneralManager();
    for (int i = 0; i < generals.count(); ++i) {
        generals.at(i)->SetCurrentFace(1700 + i % 1000);
    }
    EXPECT_TRUE(generals.DiffersFromShipped());
    doc.ResetFacesToDefaults();
    EXPECT_FALSE(generals.DiffersFromShipped());
    EXPECT_FALSE(generals.HasUnsavedChanges());
}

}  // namespace
}  // namespace document
