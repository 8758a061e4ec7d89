#include "picture/grey_picture.h"

#include <algorithm>

namespace picture {

namespace {

// The sums of each block's blue, green and red samples, one block row at a time.
struct BlockSums {
    std::vector<std::uint32_t> blue;
    std::vector<std::uint32_t> green;
    std::vector<std::uint32_t> red;
};

void AddRow(const std::uint8_t* row, int bytesPerPixel, int scale, BlockSums& sums) {
    const int columns = static_cast<int>(sums.blue.size());
    for (int column = 0; column < columns; ++column) {
        std::uint32_t b = 0, g = 0, r = 0;
        for (int i = 0; i < scale; ++i, row += bytesPerPixel) {
            b += row[0];
            g += row[1];
            r += row[2];
        }
        sums.blue[column] += b;
        sums.green[column] += g;
        sums.red[column] += r;
    }
}

// The usual luma weights in 256ths; 64 bits, since a block of a huge picture may hold more
// samples than 32 bits can weigh.
std::uint8_t Luma(std::uint64_t b, std::uint64_t g, std::uint64_t r, std::uint64_t count) {
    return static_cast<std::uint8_t>((29 * b + 150 * g + 77 * r) / (256 * count));
}

}  // namespace

GreyPicture DownscaleToGrey(const CDIB& picture, int longSide) {
    const int bytesPerPixel = picture.BitCount() / 8;
    const int width = picture.Width();
    const int height = picture.Height();
    if ((bytesPerPixel != 3 && bytesPerPixel != 4) || width <= 0 || height <= 0 || longSide <= 0 ||
        picture.Pixels().empty())
        return {};
    const int scale = (std::max(width, height) + longSide - 1) / longSide;
    GreyPicture grey{width / scale, height / scale, scale, {}};
    grey.pixels.resize(static_cast<std::size_t>(grey.width) * grey.height);
    const auto columns = static_cast<std::size_t>(grey.width);
    const auto count = static_cast<std::uint32_t>(scale * scale);
    BlockSums sums;
    for (int y = 0; y < grey.height; ++y) {
        sums.blue.assign(columns, 0);
        sums.green.assign(columns, 0);
        sums.red.assign(columns, 0);
        for (int i = 0; i < scale; ++i)
            AddRow(picture.PixelAddress(0, y * scale + i), bytesPerPixel, scale, sums);
        std::uint8_t* out = grey.pixels.data() + y * columns;
        for (std::size_t x = 0; x < columns; ++x)
            out[x] = Luma(sums.blue[x], sums.green[x], sums.red[x], count);
    }
    return grey;
}

}  // namespace picture
