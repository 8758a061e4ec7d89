#include "demo_support.h"

#include "lumo/image/image.h"
#include "lumo/image/pixel.h"
#include "lumo/io/binary_reader.h"
#include "lumo/io/g1t/g1t_file.h"
#include "tools/demo/digit_font.h"

namespace kaocg_tool_test {
namespace {

using namespace kaocg_demo;

bool IsDark(const Rgba& rgba, std::uint32_t side, std::uint32_t x, std::uint32_t y) {
    const std::uint8_t* p = &rgba[(std::size_t{y} * side + x) * 4];
    return p[0] + p[1] + p[2] < 3 * 128;
}

char ReadDigit(const Rgba& rgba, std::uint32_t side, std::uint32_t left, std::uint32_t top,
               std::uint32_t scale) {
    for (int digit = 0; digit <= 9; ++digit) {
        bool same = true;
        for (int cy = 0; cy < kGlyphHeight && same; ++cy) {
            for (int cx = 0; cx < kGlyphWidth && same; ++cx) {
                const std::uint32_t x = left + cx * scale + scale / 2;
                const std::uint32_t y = top + cy * scale + scale / 2;
                same = IsDark(rgba, side, x, y) == GlyphCell(digit, cx, cy);
            }
        }
        if (same) {
            return static_cast<char>('0' + digit);
        }
    }
    return '?';
}

}  // namespace

std::string ReadFaceNumber(const Rgba& rgba, std::uint32_t side, const NumberLabel& label) {
    std::string number;
    for (std::size_t i = 0; i < label.digits.size(); ++i) {
        const auto left = label.x + static_cast<std::uint32_t>(i) * kGlyphAdvance * label.scale;
        number += ReadDigit(rgba, side, left, label.y, label.scale);
    }
    return number;
}

Rgba DecodeSlot(const std::string& bytes, std::uint32_t& side) {
    lumo::CG1TFileImpl file;
    lumo::CBinaryReaderFromMemory reader(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                         static_cast<std::uint32_t>(bytes.size()));
    lumo::CImage image;
    Rgba rgba;
    if (!file.Read(reader) || !file.FirstTexture() || !file.FirstTexture()->GetImage(image) ||
        !image.ExportChannels(rgba, lumo::kChannelRGBA)) {
        return {};
    }
    side = image.GetWidth();
    return rgba;
}

}  // namespace kaocg_tool_test
