#include "ui/open_file_chooser.h"

#include <gtest/gtest.h>

#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include "dlg_test_helpers.h"

namespace ui {
namespace {

const QStringList kFilters = {QStringLiteral("Image Files (*.bmp *.jpg *.jpeg)"),
                              QStringLiteral("All Files (*)")};

TEST(FileDialogChooser, PreviewsThePictureUnderTheCursorAndReopensInItsFolder) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("wide.jpg"));
    QImage picture(400, 100, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    ASSERT_TRUE(picture.save(path, "JPEG"));

    FileDialogChooser chooser;
    QSize previewSize;
    uitest::OnModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        auto* preview = dialog->findChild<QLabel*>(QStringLiteral("preview"));
        ASSERT_NE(preview, nullptr);
        // What the list does when the cursor moves onto the file.
        emit dialog->currentChanged(path);
        previewSize = preview->pixmap().size();
        dialog->selectFile(path);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    EXPECT_EQ(chooser.Choose(nullptr, folder.path(), kFilters), path);
    // Shrunk to the preview's side, keeping the picture's shape.
    EXPECT_EQ(previewSize, QSize(200, 50));

    QString reopened;
    uitest::OnModal([&reopened](QWidget* modal) {
        reopened = static_cast<QFileDialog*>(modal)->directory().absolutePath();
        static_cast<QFileDialog*>(modal)->reject();
    });
    EXPECT_EQ(chooser.Choose(nullptr, QString(), kFilters), std::nullopt);
    EXPECT_EQ(reopened, QDir(folder.path()).absolutePath());
}

}  // namespace
}  // namespace ui
