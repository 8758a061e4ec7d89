#include "ui/dib_image.h"

#include <cstring>

namespace ui {
namespace {

QImage Copy24(const picture::CDIB& dib) {
    QImage image(dib.Width(), dib.Height(), QImage::Format_BGR888);
    if (image.isNull()) {
        return image;
    }
    const auto rowBytes = static_cast<std::size_t>(dib.Width()) * 3;
    for (std::int32_t y = 0; y < dib.Height(); ++y) {
        std::memcpy(image.scanLine(y), dib.PixelAddress(0, y), rowBytes);
    }
    return image;
}

QImage Copy32(const picture::CDIB& dib, DibAlpha alpha) {
    const bool useAlpha = alpha == DibAlpha::kUse;
    QImage image(dib.Width(), dib.Height(),
                 useAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (image.isNull()) {
        return image;
    }
    for (std::int32_t y = 0; y < dib.Height(); ++y) {
        const std::uint8_t* in = dib.PixelAddress(0, y);
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (std::int32_t x = 0; x < dib.Width(); ++x, in += 4) {
            out[x] = qRgba(in[2], in[1], in[0], useAlpha ? in[3] : 0xFF);
        }
    }
    return image;
}

}  // namespace

QImage DibToImage(const picture::CDIB& dib, DibAlpha alpha) {
    if (!dib.IsValid() || dib.Pixels().empty() || dib.Width() <= 0 || dib.Height() <= 0) {
        return {};
    }
    switch (dib.BitCount()) {
        case 24:
            return Copy24(dib);
        case 32:
            return Copy32(dib, alpha);
        default:
            break;
    }
    std::optional<picture::CDIB> deep =
        picture::CDIB::CreateWithPixels(dib.Width(), dib.Height(), {}, 24);
    if (!deep || !dib.CopyRect(*deep, 0, 0, dib.Width(), dib.Height(), 0, 0)) {
        return {};
    }
    return Copy24(*deep);
}

QImage DibToRgb32Image(const picture::CDIB& dib) {
    if (dib.BitCount() != 24 || !dib.IsValid() || dib.Pixels().empty() || dib.Width() <= 0 ||
        dib.Height() <= 0) {
        return DibToImage(dib, DibAlpha::kIgnore).convertToFormat(QImage::Format_RGB32);
    }
    QImage image(dib.Width(), dib.Height(), QImage::Format_RGB32);
    if (image.isNull()) {
        return image;
    }
    for (std::int32_t y = 0; y < dib.Height(); ++y) {
        const std::uint8_t* in = dib.PixelAddress(0, y);
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (std::int32_t x = 0; x < dib.Width(); ++x, in += 3) {
            out[x] = qRgb(in[2], in[1], in[0]);
        }
    }
    return image;
}

}  // namespace ui
