#include "ui/picture_file_reader.h"

#include <QDir>
#include <QFile>
#include <span>
#include <string>

#include "resources/string_table.h"

namespace ui {

std::optional<picture::PictureReadResult> ReadPictureFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const std::wstring shownPath = QDir::toNativeSeparators(path).toStdWString();
    // An oversized file gets the message of a file that is no picture the editor can read.
    if (file.size() > kMaxPictureFileBytes) {
        std::wstring text = shownPath + L'\n';
        text += resources::LoadString(resources::IDS_PICTURE_UNKNOWN);
        return picture::PictureReadResult{
            picture::PictureError{resources::IDS_PICTURE_UNKNOWN, std::move(text)}};
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    const std::span<const std::uint8_t> data(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                             static_cast<std::size_t>(bytes.size()));
    return picture::ReadPicture(data, shownPath);
}

}  // namespace ui
