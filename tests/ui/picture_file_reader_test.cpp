#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <variant>
#include <vector>

#include "picture/exif_builder.h"
#include "support/jpeg_encoder.h"
#include "ui/picture_file_reader.h"

namespace ui {
namespace {

// A phone photo stored 40 x 24 with orientation 6 reaches the crop dialog upright, 24 x 40.
TEST(PictureFileReaderTest, APhonePhotoArrivesUpright) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    testsupport::RawPicture stored{40, 24, 3, std::vector<std::uint8_t>(40 * 24 * 3, 90)};
    const std::vector<std::uint8_t> bytes =
        picture::testing::WithOrientation(testsupport::jpeg::Encode(stored), 6);
    const QString path = folder.filePath("sideways.jpg");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    file.close();
    const std::optional<picture::PictureReadResult> read = ReadPictureFile(path);
    ASSERT_TRUE(read && std::holds_alternative<picture::PictureRead>(*read));
    EXPECT_EQ(std::get<picture::PictureRead>(*read).picture.Width(), 24);
    EXPECT_EQ(std::get<picture::PictureRead>(*read).picture.Height(), 40);
}

}  // namespace
}  // namespace ui
