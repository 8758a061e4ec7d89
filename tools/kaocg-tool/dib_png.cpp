#include "tools/kaocg-tool/dib_png.h"

#include <string>

#include "tools/kaocg-tool/tool_error.h"

namespace kaocg_tool {

RgbaPicture DibToRgba(const picture::CDIB& picture) {
    const std::uint16_t bits = picture.BitCount();
    if (bits != 24 && bits != 32) {
        Fail("a picture of " + std::to_string(bits) + " bits per pixel cannot be written as PNG");
    }
    RgbaPicture out;
    out.width = static_cast<std::uint32_t>(picture.Width());
    out.height = static_cast<std::uint32_t>(picture.Height());
    out.rgba.resize(std::size_t{out.width} * out.height * 4);
    std::uint8_t* to = out.rgba.data();
    const std::size_t step = bits / 8;
    for (std::int32_t y = 0; y < picture.Height(); ++y) {
        const std::uint8_t* from = picture.PixelAddress(0, y);
        if (from == nullptr) {
            Fail("the picture has no pixels");
        }
        for (std::int32_t x = 0; x < picture.Width(); ++x, from += step, to += 4) {
            to[0] = from[2];
            to[1] = from[1];
            to[2] = from[0];
            to[3] = bits == 32 ? from[3] : 255;
        }
    }
    return out;
}

}  // namespace kaocg_tool
