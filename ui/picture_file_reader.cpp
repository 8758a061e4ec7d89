#include "ui/picture_file_reader.h"

#include <QDir>
#include <QFile>
#include <span>
#include <string>

#include "picture/upright_picture.h"
#include "resources/string_table.h"

namespace ui {

namespace {

// An oversized file gets the message its reader gives for a file it cannot make sense of.
picture::PictureError TooLarge(const QByteArray& start, const std::wstring& path) {
    const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(start.data()),
                                              static_cast<std::size_t>(start.size()));
    const picture::PictureKind kind = picture::KindOfContent(bytes);
    const int id = kind == picture::PictureKind::kBmp    ? resources::IDS_BMP_UNSUPPORTED
                   : kind == picture::PictureKind::kJpeg ? resources::IDS_JPEG_HEADER_FAILED
                                                         : resources::IDS_PICTURE_UNKNOWN;
    std::wstring text = path;
    text += L'\n';
    text += resources::LoadString(id);
    return {id, std::move(text)};
}

}  // namespace

std::optional<picture::PictureReadResult> ReadPictureFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const std::wstring shownPath = QDir::toNativeSeparators(path).toStdWString();
    if (file.size() > kMaxPictureFileBytes)
        return picture::PictureReadResult{TooLarge(file.peek(16), shownPath)};
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    const std::span<const std::uint8_t> data(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                             static_cast<std::size_t>(bytes.size()));
    return picture::ReadPictureUpright(data, shownPath);
}

}  // namespace ui
