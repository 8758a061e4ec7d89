// The preview bar and the list over an installation whose faces are drawn, and pictures of
// the windows for a person to look at.
#include <QTest>
#include <stdexcept>

#include "dlg_test_helpers.h"
#include "document/thumbnail_list.h"
#include "kaocg/face_image_transfer.h"
#include "kaocg/face_number_map.h"
#include "main_window_fixture.h"
#include "tools/demo/install_writer.h"
#include "ui/retrieve_dlg.h"

namespace mainwindow_test {
namespace {

constexpr QRgb kRegisteredColour = qRgb(230, 120, 20);

// Drawing every stock face takes seconds, so the installation is shared by the suite.
class DrawnFaces : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_runtime = new testsupport::PrivateRuntimeFolder;
        s_demo = new testsupport::DemoPrefix(true);
        kaocg_demo::DemoInstallOptions options;
        options.prefix = s_demo->Path();
        options.editions = kaocg_demo::DemoEditions::kZV;
        options.userName = "player";
        std::string error;
        if (!kaocg_demo::WriteDemoInstall(options, error)) {
            throw std::runtime_error("drawn demo install failed: " + error);
        }
    }
    static void TearDownTestSuite() {
        delete s_demo;
        delete s_runtime;
    }

    void SetUp() override {
        frame = std::make_unique<app::CMainFrame>(doc, ui, ui);
        list.target = &frame->View();
        ASSERT_TRUE(doc.LoadAllData());
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    }

    ui::CQ06KaoCgEditView& View() { return frame->View(); }
    ui::CCGDialogBar& Preview() { return frame->PreviewBar(); }

    // Registers one plain colour in an edit slot, in all three sizes, as Load image would.
    void RegisterPlainFace(std::int32_t slot, QRgb colour) {
        const std::int32_t sides[3] = {64, 128, 256};
        for (int size = 0; size < 3; ++size) {
            const std::int32_t side = sides[size];
            std::optional<picture::CDIB> face = picture::CDIB::CreateWithPixels(side, side, {}, 24);
            ASSERT_TRUE(face);
            ASSERT_TRUE(face->Fill(colour & 0xFFFFFF));
            const std::int32_t id = kaocg_func::FaceCgIdOf(
                doc.Edition(), kaocg_func::kFirstEditFaceNumber + slot, size);
            ASSERT_TRUE(kaocg_func::TransferFaceImage(
                doc.Faces().archives, doc.Settings().editDataFolder, id, *face,
                doc.Settings().stockDataFolder, kaocg_func::TransferMode::Save, true));
        }
        document::RefreshThumbnail(document::Thumbnails(), doc.Faces(), slot);
    }

    static testsupport::PrivateRuntimeFolder* s_runtime;
    static testsupport::DemoPrefix* s_demo;
    RecordingUi ui;
    ListRelay list;
    document::CQ06KaoCgEditDoc doc{s_demo->Platform(), s_demo->Settings(), {ui, ui, ui, list}};
    std::unique_ptr<app::CMainFrame> frame;
};

testsupport::PrivateRuntimeFolder* DrawnFaces::s_runtime = nullptr;
testsupport::DemoPrefix* DrawnFaces::s_demo = nullptr;

bool HasOpaquePixels(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) == 255 && (image.pixel(x, y) & 0xFFFFFF) != 0) {
                return true;
            }
        }
    }
    return false;
}

TEST_F(DrawnFaces, ThePreviewShowsTheSelectedGeneralsFaceInThreeSizes) {
    const std::array<QSize, 3> sizes = {QSize(60, 60), QSize(96, 120), QSize(240, 240)};
    for (int size = 0; size < 3; ++size) {
        const QImage face = Preview().ShownFace(size);
        EXPECT_EQ(face.size(), sizes[static_cast<std::size_t>(size)]);
        EXPECT_TRUE(HasOpaquePixels(face)) << "size " << size;
    }
    // The small face and the list's thumbnail come from the same slot.
    const QImage thumbnail =
        View().model()->index(0, 0).data(Qt::DecorationRole).value<QPixmap>().toImage();
    EXPECT_EQ(thumbnail.pixel(30, 30) & 0xFFFFFF, Preview().ShownFace(0).pixel(30, 30) & 0xFFFFFF);

    int other = 1;
    while (View().GeneralAt(other)->DefaultFace() == View().GeneralAt(0)->DefaultFace()) {
        ++other;
    }
    const QImage before = Preview().ShownFace(2);
    View().SelectItem(other);
    EXPECT_EQ(Preview().ShownName().toStdWString(), View().GeneralAt(other)->Name());
    EXPECT_NE(Preview().ShownFace(2), before);
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(DrawnFaces, ARegisteredFaceShowsInTheListAndThePreviewWithItsRoundedCorners) {
    RegisterPlainFace(7, kRegisteredColour);
    View().GeneralAt(2)->SetCurrentFace(1707);
    View().FillList();
    const QImage thumbnail =
        View().model()->index(2, 0).data(Qt::DecorationRole).value<QPixmap>().toImage();
    EXPECT_EQ(thumbnail.pixel(30, 30), kRegisteredColour);

    View().SelectItem(2);
    const QImage small = Preview().ShownFace(0);
    EXPECT_EQ(small.pixel(30, 30), kRegisteredColour);
    EXPECT_EQ(qAlpha(small.pixel(0, 0)), 0);  // a rounded corner shows the panel
    const QImage medium = Preview().ShownFace(1);
    EXPECT_EQ(medium.size(), QSize(96, 120));
    EXPECT_EQ(medium.pixel(95, 119), kRegisteredColour);
    EXPECT_EQ(Preview().ShownFace(2).pixel(239, 239), kRegisteredColour);
}

TEST_F(DrawnFaces, PicturesOfTheMainWindowAndTheSearchDialog) {
    // A few changed faces, one of them unsaved, so the picture shows both kinds of names.
    RegisterPlainFace(3, kRegisteredColour);
    View().GeneralAt(1)->SetCurrentFace(1703);
    View().GeneralAt(4)->SetCurrentFace(View().GeneralAt(9)->DefaultFace());
    View().FillList();
    View().SelectItem(4);
    QCoreApplication::processEvents();
    uitest::SaveScreenshot(*frame, QStringLiteral("main_window"));

    View().OnSearch();
    View().SearchDialog().SetSearchText(
        QString::fromStdWString(View().GeneralAt(12)->Name().substr(0, 1)));
    QCoreApplication::processEvents();
    uitest::SaveScreenshot(View().SearchDialog(), QStringLiteral("search_dialog"));
}

}  // namespace
}  // namespace mainwindow_test
