#include "ui/crop_display.h"

#include <QRgb>
#include <algorithm>
#include <cstdint>
#include <new>
#include <vector>

namespace ui {

namespace {

// The picture column (or row) where each zoomed column starts, and one past the last.
std::vector<int> FootprintStarts(const picture::CropZoom& zoom, int contentExtent,
                                 int pictureExtent) {
    std::vector<int> starts(static_cast<std::size_t>(contentExtent) + 1);
    for (int c = 0; c < contentExtent; ++c)
        starts[c] = std::min(zoom.PictureCoordinate(c), pictureExtent - 1);
    starts[contentExtent] = pictureExtent;
    return starts;
}

// For each picture column, the zoomed column it falls in.
std::vector<int> ColumnOwners(const std::vector<int>& starts, int pictureWidth) {
    std::vector<int> owners(pictureWidth);
    for (std::size_t c = 0; c + 1 < starts.size(); ++c) {
        for (int x = starts[c]; x < starts[c + 1]; ++x)
            owners[x] = static_cast<int>(c);
    }
    return owners;
}

QImage MakeZoomedCopy(const picture::CDIB& picture, const picture::CropZoom& zoom) {
    const int width = zoom.ContentWidth();
    const int height = zoom.ContentHeight();
    QImage copy(width, height, QImage::Format_RGB32);
    if (copy.isNull())
        return copy;
    const std::vector<int> columns = FootprintStarts(zoom, width, picture.Width());
    const std::vector<int> rows = FootprintStarts(zoom, height, picture.Height());
    const std::vector<int> owners = ColumnOwners(columns, picture.Width());
    std::vector<std::uint32_t> sums(static_cast<std::size_t>(width) * 3);
    for (int r = 0; r < height; ++r) {
        std::fill(sums.begin(), sums.end(), 0);
        for (int y = rows[r]; y < rows[r + 1]; ++y) {
            const std::uint8_t* in = picture.PixelAddress(0, y);
            for (int x = 0; x < picture.Width(); ++x, in += 3) {
                std::uint32_t* sum = &sums[static_cast<std::size_t>(owners[x]) * 3];
                sum[0] += in[0];
                sum[1] += in[1];
                sum[2] += in[2];
            }
        }
        auto* out = reinterpret_cast<QRgb*>(copy.scanLine(r));
        const std::uint32_t rowCount = static_cast<std::uint32_t>(rows[r + 1] - rows[r]);
        for (int c = 0; c < width; ++c) {
            const std::uint32_t count =
                rowCount * static_cast<std::uint32_t>(columns[c + 1] - columns[c]);
            const std::uint32_t* sum = &sums[static_cast<std::size_t>(c) * 3];
            const auto mean = [count](std::uint32_t total) {
                return static_cast<int>((total + count / 2) / count);
            };
            out[c] = qRgb(mean(sum[2]), mean(sum[1]), mean(sum[0]));
        }
    }
    return copy;
}

}  // namespace

QImage ZoomedCopy(const picture::CDIB& picture, const picture::CropZoom& zoom) {
    if (picture.BitCount() != 24 || picture.Pixels().empty())
        return {};
    try {
        return MakeZoomedCopy(picture, zoom);
    } catch (const std::bad_alloc&) {
        return {};
    }
}

void SamplePicture(const picture::CDIB& picture, const picture::CropZoom& zoom, QImage& view) {
    if (picture.BitCount() != 24 || picture.Pixels().empty())
        return;
    const int width = std::min(view.width(), zoom.ContentWidth() - zoom.ScrollX());
    const int height = std::min(view.height(), zoom.ContentHeight() - zoom.ScrollY());
    if (width <= 0 || height <= 0)
        return;
    std::vector<int> columns(width);
    for (int x = 0; x < width; ++x)
        columns[x] = std::min(zoom.PictureX(x), picture.Width() - 1) * 3;
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* in =
            picture.PixelAddress(0, std::min(zoom.PictureY(y), picture.Height() - 1));
        auto* out = reinterpret_cast<QRgb*>(view.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* p = in + columns[x];
            out[x] = qRgb(p[2], p[1], p[0]);
        }
    }
}

}  // namespace ui
