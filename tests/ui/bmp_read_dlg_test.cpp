#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <deque>
#include <string>
#include <vector>

#include "picture/bmp_builder.h"
#include "picture/face_finder.h"
#include "picture/face_frame.h"
#include "resources/string_table.h"
#include "support/jpeg_encoder.h"
#include "support/photo_picture.h"
#include "tests/ui/crop_test_pictures.h"
#include "tests/ui/dlg_test_helpers.h"
#include "ui/bmp_cut_dlg.h"
#include "ui/bmp_read_dlg.h"
#include "ui/wide_text.h"

namespace {

using ui::CBMPReadDlg;

// Answers the file dialog from a queue (an empty entry is a cancel) and records its questions.
class ScriptedChooser : public ui::IOpenFileChooser {
public:
    std::optional<QString> Choose(QWidget*, const QString& folder,
                                  const QStringList& filters) override {
        folders.push_back(folder);
        lastFilters = filters;
        if (answers.empty())
            return std::nullopt;
        std::optional<QString> answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::deque<std::optional<QString>> answers;
    std::vector<QString> folders;
    QStringList lastFilters;
};

class RecordingMessageBox : public document::IMessageBox {
public:
    void Show(std::wstring_view text) override { texts.push_back(ui::ToQString(text)); }
    std::vector<QString> texts;
};

constexpr std::uint32_t kBmpColour = 0x336699;

class BmpReadDlgTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_folder.isValid()); }

    QString Write(const QString& name, const std::vector<std::uint8_t>& bytes) {
        const QString path = m_folder.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
        return path;
    }
    // A 50 x 40 BMP of one colour (52 wide once read).
    QString WriteBmp(const QString& name) {
        using namespace picture::testing;
        return Write(name, Build(Bmp(50, 40, 24, std::vector<std::uint32_t>(50 * 40, kBmpColour))));
    }
    // A 100 x 80 photograph-like JPEG.
    QString WriteJpeg(const QString& name) {
        return Write(name, testsupport::jpeg::Encode(testsupport::MakePhotoLikePicture(100, 80)));
    }

    // Reads one size through the file dialog; the crop dialog, if one opens, is closed with
    // "決定" or "中止". Returns whether a crop dialog opened.
    bool Read(int size, const QString& path, bool decide = true) {
        m_chooser.answers.push_back(path);
        bool opened = false;
        // Stopped when the read returns, so that it never answers a later dialog.
        QTimer answer;
        answer.setSingleShot(true);
        QObject::connect(&answer, &QTimer::timeout, [&opened, decide] {
            auto* cut = qobject_cast<ui::CBMPCutDlg*>(QApplication::activeModalWidget());
            if (!cut)
                return;
            opened = true;
            uitest::ButtonWithText(cut, decide ? "決定" : "中止")->click();
        });
        answer.start(50);
        m_dialog.ReadForSize(size);
        return opened;
    }
    // "使用相同圖像" of a size; `turn` presses the turn button before "決定". Gives the size of
    // the picture and the frame the crop dialog opened on, or nothing when none opened.
    struct Opened {
        QSize picture;
        picture::FaceFrame frame;
    };
    std::optional<Opened> CropSame(int size, const char* turn = nullptr) {
        std::optional<Opened> opened;
        uitest::OnModal([&opened, turn](QWidget* modal) {
            auto* cut = qobject_cast<ui::CBMPCutDlg*>(modal);
            ASSERT_NE(cut, nullptr);
            opened = Opened{QSize(cut->Picture().Width(), cut->Picture().Height()), cut->Frame()};
            if (turn)
                uitest::ButtonWithText(cut, turn)->click();
            uitest::ButtonWithText(cut, "決定")->click();
        });
        SameButton(size)->click();
        return opened;
    }
    QPushButton* SameButton(int size) {
        return static_cast<QPushButton*>(m_dialog.Control(1034 + size));
    }
    QString ExpectedMessage(const QString& path, int id) {
        return QDir::toNativeSeparators(path) + QLatin1Char('\n') + ui::LoadQString(id);
    }
    QPushButton* Ok() { return static_cast<QPushButton*>(m_dialog.Control(1)); }

    QTemporaryDir m_folder;
    ScriptedChooser m_chooser;
    RecordingMessageBox m_messages;
    CBMPReadDlg m_dialog{m_chooser, m_messages};
};

TEST_F(BmpReadDlgTest, EmptyDialogShowsTheBlackFramesAtTheirTablePlaces) {
    m_dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_dialog));
    EXPECT_EQ(m_dialog.size(), QSize(530, 400));
    EXPECT_EQ(m_dialog.Control(1019)->geometry(), QRect(20, 70, 240, 240));
    EXPECT_EQ(m_dialog.Control(1020)->geometry(), QRect(300, 190, 96, 120));
    EXPECT_EQ(m_dialog.Control(1021)->geometry(), QRect(434, 250, 60, 60));
    EXPECT_EQ(m_dialog.Control(1015)->geometry(), QRect(424, 320, 80, 24));
    for (int id : {1019, 1020, 1021})
        EXPECT_TRUE(m_dialog.Control(id)->isVisible()) << id;
    for (int id : {1022, 1023, 1024})
        EXPECT_FALSE(m_dialog.Control(id)->isVisible()) << id;
    EXPECT_FALSE(Ok()->isEnabled());
    uitest::SaveScreenshot(m_dialog, "bmp_read_dlg_empty");
}

TEST_F(BmpReadDlgTest, TheFirstTwoBytesDecideBetweenBmpAndJpegWhateverTheName) {
    EXPECT_TRUE(Read(CBMPReadDlg::kLarge, WriteBmp("looks_like.jpg")));
    EXPECT_EQ(m_dialog.CurrentPicture().Width(), 52);
    EXPECT_EQ(m_dialog.CurrentPicture().Height(), 40);
    const picture::CDIB& large = m_dialog.Cropped(CBMPReadDlg::kLarge);
    ASSERT_EQ(large.Width(), 240);
    EXPECT_EQ(croptest::PixelOf(large, 0, 0), kBmpColour);
    EXPECT_EQ(croptest::PixelOf(large, 49, 39), kBmpColour);
    // The first selection is the largest square centred on the picture, so the whole face
    // comes from it.
    EXPECT_EQ(croptest::PixelOf(large, 200, 200), kBmpColour);

    EXPECT_TRUE(Read(CBMPReadDlg::kMedium, WriteJpeg("looks_like.bmp")));
    EXPECT_EQ(m_dialog.CurrentPicture().Width(), 100);
    EXPECT_EQ(m_dialog.CurrentPicture().Height(), 80);
    EXPECT_TRUE(m_messages.texts.empty());
}

TEST_F(BmpReadDlgTest, OkIsEnabledOnlyOnceAllThreeSizesAreFilled) {
    EXPECT_FALSE(Ok()->isEnabled());
    ASSERT_TRUE(Read(CBMPReadDlg::kLarge, WriteBmp("a.bmp")));
    // Cancelling a crop leaves a size empty.
    ASSERT_TRUE(Read(CBMPReadDlg::kMedium, WriteJpeg("b.jpg"), false));
    EXPECT_FALSE(m_dialog.IsFilled(CBMPReadDlg::kMedium));
    ASSERT_TRUE(Read(CBMPReadDlg::kSmall, WriteJpeg("c.jpg")));
    EXPECT_FALSE(Ok()->isEnabled());
    ASSERT_TRUE(Read(CBMPReadDlg::kMedium, WriteJpeg("b.jpg")));
    EXPECT_TRUE(Ok()->isEnabled());
    const int widths[] = {240, 96, 60};
    const int heights[] = {240, 120, 60};
    for (int size = 0; size < CBMPReadDlg::kSizeCount; ++size) {
        const picture::CDIB& dib = m_dialog.Cropped(size);
        EXPECT_EQ(dib.Width(), widths[size]);
        EXPECT_EQ(dib.Height(), heights[size]);
        EXPECT_EQ(dib.BitCount(), 24);
        EXPECT_FALSE(dib.IsTopDown());
    }
    m_dialog.show();
    uitest::SaveScreenshot(m_dialog, "bmp_read_dlg");
    EXPECT_EQ(m_dialog.Control(1024)->geometry(), QRect(436, 240, 60, 60));
    EXPECT_FALSE(m_dialog.Control(1021)->isVisible());
    Ok()->click();
    EXPECT_EQ(m_dialog.result(), QDialog::Accepted);
}

TEST_F(BmpReadDlgTest, ReadingASizeAgainKeepsTheLaterPictureAndACancelledCropKeepsIt) {
    ASSERT_TRUE(Read(CBMPReadDlg::kLarge, WriteJpeg("photo.jpg")));
    ASSERT_TRUE(Read(CBMPReadDlg::kLarge, WriteBmp("plain.bmp")));
    EXPECT_EQ(croptest::PixelOf(m_dialog.Cropped(CBMPReadDlg::kLarge), 0, 0), kBmpColour);
    ASSERT_TRUE(Read(CBMPReadDlg::kLarge, WriteJpeg("photo.jpg"), false));
    EXPECT_EQ(croptest::PixelOf(m_dialog.Cropped(CBMPReadDlg::kLarge), 0, 0), kBmpColour);
    EXPECT_TRUE(m_dialog.IsFilled(CBMPReadDlg::kLarge));
}

TEST_F(BmpReadDlgTest, ABrokenFileShowsItsMessageAndKeepsThePreviousPicture) {
    ASSERT_TRUE(Read(CBMPReadDlg::kLarge, WriteBmp("good.bmp")));
    std::vector<std::uint8_t> badBmp = {'B', 'M'};
    badBmp.resize(60, 0xEE);
    const QString bmpPath = Write("bad.bmp", badBmp);
    EXPECT_FALSE(Read(CBMPReadDlg::kSmall, bmpPath));
    const QString jpegPath = Write("bad.jpg", {0xFF, 0xD8, 0x12, 0x34, 0x56});
    EXPECT_FALSE(Read(CBMPReadDlg::kSmall, jpegPath));
    ASSERT_EQ(m_messages.texts.size(), 2u);
    EXPECT_TRUE(m_messages.texts[0].startsWith(QDir::toNativeSeparators(bmpPath) + "\n"));
    EXPECT_EQ(m_messages.texts[1], ExpectedMessage(jpegPath, resources::IDS_JPEG_HEADER_FAILED));
    EXPECT_EQ(m_dialog.CurrentPicture().Width(), 52);
    EXPECT_FALSE(m_dialog.IsFilled(CBMPReadDlg::kSmall));
    EXPECT_EQ(m_dialog.Cropped(CBMPReadDlg::kSmall).BitCount(), 8);
}

TEST_F(BmpReadDlgTest, AFileThatEndsEarlyIsToldAboutAndStillCropped) {
    std::vector<std::uint8_t> jpeg =
        testsupport::jpeg::Encode(testsupport::MakePhotoLikePicture(100, 80));
    jpeg.resize(jpeg.size() * 2 / 3);
    const QString cut = Write("cut.jpg", jpeg);
    EXPECT_TRUE(Read(CBMPReadDlg::kLarge, cut));
    ASSERT_EQ(m_messages.texts.size(), 1u);
    EXPECT_EQ(m_messages.texts[0], ExpectedMessage(cut, resources::IDS_PICTURE_ENDS_EARLY));
    EXPECT_TRUE(m_dialog.IsFilled(CBMPReadDlg::kLarge));
    // A file of no picture kind gets its own message, whatever its name says.
    EXPECT_FALSE(Read(CBMPReadDlg::kMedium, Write("empty.jpg", {})));
    ASSERT_EQ(m_messages.texts.size(), 2u);
    EXPECT_EQ(m_messages.texts[1],
              ExpectedMessage(m_folder.filePath("empty.jpg"), resources::IDS_PICTURE_UNKNOWN));
}

TEST_F(BmpReadDlgTest, OversizedFilesAreRefusedWithTheirReadersMessage) {
    const qint64 size = qint64{257} * 1024 * 1024;
    const QString bmpPath = Write("huge.bmp", {'B', 'M'});
    const QString jpegPath = Write("huge.jpg", {0xFF, 0xD8});
    ASSERT_TRUE(QFile::resize(bmpPath, size));  // sparse: no disk space is taken
    ASSERT_TRUE(QFile::resize(jpegPath, size));
    EXPECT_FALSE(Read(CBMPReadDlg::kLarge, bmpPath));
    EXPECT_FALSE(Read(CBMPReadDlg::kLarge, jpegPath));
    ASSERT_EQ(m_messages.texts.size(), 2u);
    EXPECT_EQ(m_messages.texts[0], ExpectedMessage(bmpPath, resources::IDS_BMP_UNSUPPORTED));
    EXPECT_EQ(m_messages.texts[1], ExpectedMessage(jpegPath, resources::IDS_JPEG_HEADER_FAILED));
}

TEST_F(BmpReadDlgTest, TheFolderOfTheLastChosenFileIsRemembered) {
    QDir(m_folder.path()).mkdir("first");
    QDir(m_folder.path()).mkdir("second");
    const QString missing = m_folder.filePath("second/missing.bmp");
    EXPECT_TRUE(Read(CBMPReadDlg::kLarge, WriteBmp("first/a.bmp")));
    // A file that cannot be opened is passed over in silence, but its folder is kept.
    EXPECT_FALSE(Read(CBMPReadDlg::kLarge, missing));
    m_chooser.answers.push_back(std::nullopt);
    m_dialog.ReadForSize(CBMPReadDlg::kMedium);
    m_dialog.ReadForSize(CBMPReadDlg::kMedium);
    ASSERT_EQ(m_chooser.folders.size(), 4u);
    EXPECT_EQ(m_chooser.folders[0], QString());
    EXPECT_EQ(m_chooser.folders[1], m_folder.filePath("first"));
    EXPECT_EQ(m_chooser.folders[2], m_folder.filePath("second"));
    // Cancelling the file dialog changes nothing.
    EXPECT_EQ(m_chooser.folders[3], m_folder.filePath("second"));
    EXPECT_EQ(m_dialog.RememberedFolder(), m_folder.filePath("second"));
    EXPECT_TRUE(m_messages.texts.empty());
    // Every kind that can be read, together, is the first entry.
    EXPECT_TRUE(m_chooser.lastFilters.front().startsWith("Image Files (*.bmp *.dib *.jpg *.jpeg "));
    EXPECT_EQ(m_chooser.lastFilters[1], "BMP Files(*.bmp)");
    EXPECT_EQ(m_chooser.lastFilters.back(), "All Files (*)");
}

// A portrait that python-matplotlib-data ships; its face is centred near (263, 215).
TEST_F(BmpReadDlgTest, TheCropDialogOpensOnTheFaceOfAPortrait) {
    const QString portrait = "/usr/share/matplotlib/mpl-data/sample_data/grace_hopper.jpg";
    if (!picture::FaceFinder::Available() || !QFile::exists(portrait))
        GTEST_SKIP() << "face detection or python-matplotlib-data is missing";
    m_chooser.answers.push_back(portrait);
    std::optional<picture::FaceFrame> opened;
    QTimer answer;
    answer.setSingleShot(true);
    QObject::connect(&answer, &QTimer::timeout, [&opened] {
        auto* cut = qobject_cast<ui::CBMPCutDlg*>(QApplication::activeModalWidget());
        if (!cut)
            return;
        opened = cut->Frame();
        uitest::ButtonWithText(cut, "中止")->click();
    });
    answer.start(50);
    m_dialog.ReadForSize(CBMPReadDlg::kMedium);
    ASSERT_TRUE(opened);
    // The centred frame would be 480 x 600 at the top-left corner.
    EXPECT_NEAR(opened->left + opened->width / 2, 263, 30);
    EXPECT_NEAR(opened->width, 430, 25);
    EXPECT_EQ(opened->width * 120, opened->height * 96);
}

TEST_F(BmpReadDlgTest, TheSamePictureFramesTheOtherSizesLikeTheLastFaceWithoutReadingItAgain) {
    for (int size = 0; size < CBMPReadDlg::kSizeCount; ++size)
        EXPECT_FALSE(SameButton(size)->isEnabled()) << size;
    ASSERT_TRUE(Read(CBMPReadDlg::kLarge, WriteJpeg("face.jpg")));
    // Another size has a picture: offered to the other two, not to the large one itself.
    EXPECT_FALSE(SameButton(CBMPReadDlg::kLarge)->isEnabled());
    EXPECT_TRUE(SameButton(CBMPReadDlg::kMedium)->isEnabled());
    EXPECT_TRUE(SameButton(CBMPReadDlg::kSmall)->isEnabled());

    const picture::FaceFrame large = picture::CentredFaceFrame(100, 80, 240, 240);
    const std::optional<Opened> medium = CropSame(CBMPReadDlg::kMedium);
    ASSERT_TRUE(medium);
    EXPECT_EQ(medium->picture, QSize(100, 80));
    const picture::FaceFrame expected =
        picture::DerivedFaceFrame(large, 240, 240, 100, 80, 96, 120);
    EXPECT_EQ(medium->frame.left, expected.left);
    EXPECT_EQ(medium->frame.top, expected.top);
    EXPECT_EQ(medium->frame.width, expected.width);
    EXPECT_EQ(medium->frame.height, expected.height);
    EXPECT_TRUE(m_dialog.IsFilled(CBMPReadDlg::kMedium));
    EXPECT_TRUE(SameButton(CBMPReadDlg::kLarge)->isEnabled());

    // The small face follows the medium one, the last decided.
    const std::optional<Opened> small = CropSame(CBMPReadDlg::kSmall);
    ASSERT_TRUE(small);
    const picture::FaceFrame fromMedium =
        picture::DerivedFaceFrame(medium->frame, 96, 120, 100, 80, 60, 60);
    EXPECT_EQ(small->frame.width, fromMedium.width);
    EXPECT_EQ(small->frame.left, fromMedium.left);
    EXPECT_EQ(small->frame.top, fromMedium.top);
    EXPECT_TRUE(Ok()->isEnabled());
    // The file dialog was asked once, for the large size's "讀取".
    EXPECT_EQ(m_chooser.folders.size(), 1u);
    m_dialog.show();
    uitest::SaveScreenshot(m_dialog, "bmp_read_dlg_same_picture");
}

TEST_F(BmpReadDlgTest, APictureTurnedInTheCropDialogStaysTurnedForTheNextSize) {
    ASSERT_TRUE(Read(CBMPReadDlg::kMedium, WriteJpeg("sideways.jpg")));
    ASSERT_TRUE(CropSame(CBMPReadDlg::kLarge, "向右旋轉"));
    EXPECT_EQ(m_dialog.CurrentPicture().Width(), 80);
    EXPECT_EQ(m_dialog.CurrentPicture().Height(), 100);
    const std::optional<Opened> small = CropSame(CBMPReadDlg::kSmall);
    ASSERT_TRUE(small);
    EXPECT_EQ(small->picture, QSize(80, 100));
    // Reading a file replaces the turned picture.
    ASSERT_TRUE(Read(CBMPReadDlg::kLarge, WriteBmp("other.bmp")));
    EXPECT_EQ(m_dialog.CurrentPicture().Width(), 52);
}

}  // namespace
