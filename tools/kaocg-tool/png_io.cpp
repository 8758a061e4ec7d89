// The only file of the tool that uses Qt: QImage reads and writes PNG, and needs no
// application object for that.
#include "tools/kaocg-tool/png_io.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <cstdint>
#include <cstring>

#include "tools/kaocg-tool/file_io.h"
#include "tools/kaocg-tool/tool_error.h"

namespace kaocg_tool {
namespace {

constexpr const char* kPng = "png";

RgbaPicture ToPicture(const QImage& image, const std::string& path) {
    const QImage rgba = image.convertToFormat(QImage::Format_RGBA8888);
    if (rgba.isNull()) {
        Fail(path + ": not enough memory to convert the picture");
    }
    RgbaPicture picture;
    picture.width = static_cast<std::uint32_t>(rgba.width());
    picture.height = static_cast<std::uint32_t>(rgba.height());
    const std::size_t rowBytes = std::size_t{picture.width} * 4;
    picture.rgba.resize(rowBytes * picture.height);
    // Rows are copied one by one: QImage may pad its lines.
    for (std::uint32_t y = 0; y < picture.height; ++y) {
        std::memcpy(picture.rgba.data() + y * rowBytes, rgba.constScanLine(static_cast<int>(y)),
                    rowBytes);
    }
    return picture;
}

}  // namespace

RgbaPicture LoadPng(const std::string& path) {
    const std::vector<std::uint8_t> bytes = ReadWholeFile(path);
    QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    QImageReader reader(&buffer, kPng);
    QImage image;
    if (!reader.read(&image)) {
        Fail(path + ": cannot read as PNG: " + reader.errorString().toStdString());
    }
    return ToPicture(image, path);
}

void SavePng(const std::string& path, const RgbaPicture& picture) {
    const std::size_t rowBytes = std::size_t{picture.width} * 4;
    if (picture.width == 0 || picture.height == 0 ||
        picture.rgba.size() != rowBytes * picture.height || picture.width > INT32_MAX / 4 ||
        picture.height > INT32_MAX) {
        Fail(path + ": no picture to write");
    }
    QImage image(static_cast<int>(picture.width), static_cast<int>(picture.height),
                 QImage::Format_RGBA8888);
    if (image.isNull()) {
        Fail(path + ": picture of " + std::to_string(picture.width) + " x " +
             std::to_string(picture.height) + " is too large for PNG output");
    }
    for (std::uint32_t y = 0; y < picture.height; ++y) {
        std::memcpy(image.scanLine(static_cast<int>(y)), picture.rgba.data() + y * rowBytes,
                    rowBytes);
    }
    QByteArray encoded;
    QBuffer buffer(&encoded);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, kPng);
    if (!writer.write(image)) {
        Fail(path + ": cannot encode PNG: " + writer.errorString().toStdString());
    }
    WriteFileAtomically(path, std::span(reinterpret_cast<const std::uint8_t*>(encoded.constData()),
                                        static_cast<std::size_t>(encoded.size())));
}

}  // namespace kaocg_tool
