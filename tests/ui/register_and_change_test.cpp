// Load image and Change image as the menu runs them, with every dialog answered.
#include <QComboBox>
#include <QDialog>
#include <QListWidget>
#include <QPushButton>
#include <filesystem>
#include <fstream>

#include "dlg_test_helpers.h"
#include "document/game_environment.h"
#include "main_window_fixture.h"
#include "picture/bmp_builder.h"
#include "ui/bmp_read_dlg.h"
#include "ui/kao_select_dlg.h"
#include "ui/open_file_chooser.h"

namespace mainwindow_test {
namespace {

namespace fs = std::filesystem;

constexpr std::uint32_t kColour = 0x3366CC;  // red, green, blue
constexpr int kEditKind = 11;                // the first kind of edit slots, 1700 and up
constexpr int kSlot = 5;

class FixedChooser : public ui::IOpenFileChooser {
public:
    std::optional<QString> Choose(QWidget*, const QString&, const QStringList&) override {
        ++calls;
        return path;
    }
    QString path;
    int calls = 0;
};

class RegisterAndChange : public MainWindow {
protected:
    void SetUp() override {
        MainWindow::SetUp();
        const fs::path file = fs::path(demo.Path()) / "face.bmp";
        const std::vector<std::uint8_t> bytes = picture::testing::Build(
            picture::testing::Bmp(320, 300, 24, std::vector<std::uint32_t>(320 * 300, kColour)));
        std::ofstream(file, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        chooser.path = QString::fromStdString(file.string());
        View().SetFileChooser(chooser);
    }

    // Fills the three sizes of the load-image dialog, accepting each crop as proposed.
    // `afterLoad` answers the dialog that opens once the load dialog is confirmed.
    void AnswerLoadDialog(QWidget* modal, bool confirm,
                          std::function<void(QWidget*)> afterLoad = {}) {
        auto* read = qobject_cast<ui::CBMPReadDlg*>(modal);
        ASSERT_NE(read, nullptr);
        uitest::SaveScreenshot(*read, QStringLiteral("register_load_empty"));
        for (int size = 0; size < ui::CBMPReadDlg::kSizeCount; ++size) {
            uitest::OnModal([size](QWidget* cut) {
                if (size == 0) {
                    uitest::SaveScreenshot(*cut, QStringLiteral("register_crop_large"));
                }
                qobject_cast<QDialog*>(cut)->accept();
            });
            read->ReadForSize(size);
        }
        uitest::SaveScreenshot(*read, QStringLiteral("register_load_filled"));
        if (!confirm) {
            read->reject();
            return;
        }
        uitest::ButtonWithText(read, QStringLiteral("確定"))->click();
        // Only now: a watcher started earlier would answer the load dialog itself.
        uitest::OnModal(afterLoad);
    }
    // Picks edit slot kSlot in the select dialog and confirms it.
    static void AnswerSelectDialog(QWidget* modal, const QString& screenshot) {
        auto* select = qobject_cast<ui::CKaoSelectDlg*>(modal);
        ASSERT_NE(select, nullptr);
        select->KindCombo()->setCurrentIndex(select->KindCombo()->findData(kEditKind));
        select->FaceList()->setCurrentRow(kSlot);
        uitest::SaveScreenshot(*select, screenshot);
        ASSERT_TRUE(select->OkButton()->isEnabled());
        select->OkButton()->click();
    }
    void LoadImage() {
        uitest::OnModal([this](QWidget* modal) {
            AnswerLoadDialog(modal, true, [](QWidget* select) {
                AnswerSelectDialog(select, QStringLiteral("register_select"));
            });
        });
        View().OnLoadImage();
    }
    static std::uint32_t ThumbnailColour(std::int32_t position) {
        const picture::CDIB* thumbnail = document::Thumbnails().At(position);
        EXPECT_NE(thumbnail, nullptr);
        const std::uint8_t* p = thumbnail->PixelAddress(30, 30);
        return std::uint32_t{p[2]} << 16 | std::uint32_t{p[1]} << 8 | p[0];
    }

    FixedChooser chooser;
};

TEST_F(RegisterAndChange, FromAnEmptyPrefixToASavedReloadedFaceOfANewRegistration) {
    ASSERT_EQ(ThumbnailColour(kSlot), 0u);
    LoadImage();
    EXPECT_EQ(chooser.calls, 3);
    EXPECT_EQ(ThumbnailColour(kSlot), kColour);
    EXPECT_EQ(ui.dialogs, (std::vector<std::wstring>{Text(resources::IDS_REGISTER_GUIDE),
                                                     Text(resources::IDS_REGISTERED_GUIDE)}));
    EXPECT_FALSE(Generals().HasUnsavedChanges()) << "a registration is no face change";

    View().SelectItem(2);
    roster::bushou& general = GeneralOfItem(2);
    uitest::OnModal(
        [](QWidget* modal) { AnswerSelectDialog(modal, QStringLiteral("change_select")); });
    View().OnChangeImage();
    EXPECT_EQ(general.CurrentFace(), 1700 + kSlot);
    EXPECT_TRUE(ItemText(2).endsWith(QStringLiteral("(變更)")));
    EXPECT_TRUE(frame->windowTitle().endsWith(QStringLiteral("(有變更)")));
    EXPECT_EQ(View().SelectedItem(), 2);

    ui.ClearRecords();
    View().OnSave();
    EXPECT_EQ(ui.dialogs, (std::vector<std::wstring>{Text(resources::IDS_SAVED)}));

    RecordingUi freshUi;
    document::CQ06KaoCgEditDoc fresh{
        demo.Platform(), demo.Settings(), {freshUi, freshUi, freshUi, freshUi}};
    ASSERT_TRUE(fresh.LoadAllData());
    EXPECT_EQ(fresh.GeneralManager()->at(general.RowIndex())->CurrentFace(), 1700 + kSlot);
    EXPECT_EQ(ThumbnailColour(kSlot), kColour);
}

TEST_F(RegisterAndChange, LoadImageWhileTheGameRunsShowsOnlyTheMessage) {
    auto game = demo.Platform().GetProcesses().OpenGlobalMutex(game::kGameMutex);
    ASSERT_TRUE(game);
    View().OnLoadImage();
    ASSERT_EQ(ui.dialogs.size(), 1u);
    EXPECT_TRUE(ui.dialogs[0].starts_with(Text(resources::IDS_QUIT_GAME_FIRST)));
    EXPECT_EQ(chooser.calls, 0);
}

TEST_F(RegisterAndChange, CancellingALoadDialogRegistersNothing) {
    uitest::OnModal([this](QWidget* modal) { AnswerLoadDialog(modal, false); });
    View().OnLoadImage();
    EXPECT_EQ(ThumbnailColour(kSlot), 0u);
    EXPECT_TRUE(ui.dialogs.empty()) << "the select dialog never opened";

    uitest::OnModal([this](QWidget* modal) {
        AnswerLoadDialog(modal, true,
                         [](QWidget* select) { qobject_cast<QDialog*>(select)->reject(); });
    });
    View().OnLoadImage();
    EXPECT_EQ(ThumbnailColour(kSlot), 0u);
}

TEST_F(RegisterAndChange, ChangeImageWithoutASelectedGeneralChangesNothing) {
    LoadImage();
    View().clearSelection();
    uitest::OnModal([](QWidget* modal) { AnswerSelectDialog(modal, QStringLiteral("unused")); });
    View().OnChangeImage();
    EXPECT_FALSE(Generals().HasUnsavedChanges());
}

}  // namespace
}  // namespace mainwindow_test
