#include "ui/picture_file_reader.h"

#include <QDir>
#include <QFile>
#include <span>
#include <string>

#include "picture/jpeg_dialog_reader.h"
#include "picture/upright_picture.h"
#include "resources/string_table.h"

namespace ui {

namespace {

bool StartsAsBmp(const QByteArray& start) {
    return start.size() >= 2 && start[0] == 'B' && start[1] == 'M';
}

// An oversized file gets the message its reader gives for a file it cannot make sense of.
picture::PictureError TooLarge(bool bmp, const std::wstring& path) {
    const int id = bmp ? resources::IDS_BMP_UNSUPPORTED : resources::IDS_JPEG_HEADER_FAILED;
    std::wstring text = path;
    text += L'\n';
    text += resources::LoadString(id);
    return {id, std::move(text)};
}

}  // namespace

std::optional<picture::BmpReadResult> ReadPictureFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const std::wstring shownPath = QDir::toNativeSeparators(path).toStdWString();
    const bool bmp = StartsAsBmp(file.peek(2));
    if (file.size() > kMaxPictureFileBytes)
        return picture::BmpReadResult{TooLarge(bmp, shownPath)};
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    const std::span<const std::uint8_t> data(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                             static_cast<std::size_t>(bytes.size()));
    picture::BmpReadResult read = bmp ? picture::ReadBmpForDialog(data, shownPath)
                                      : picture::ReadJpegForDialog(data, shownPath);
    picture::TurnUpright(read, data, shownPath);
    return read;
}

}  // namespace ui
