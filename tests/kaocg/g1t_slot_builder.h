#pragma once

// G1T files made with the toolkit directly, for slots that the editor itself never writes:
// other pixel formats, other sizes, several textures.

#include <cstdint>
#include <vector>

#include "lumo/image/image.h"
#include "lumo/image/pixel.h"
#include "lumo/io/binary_writer.h"
#include "lumo/io/g1t/g1t_file.h"

namespace kaocg_test {

// One colour (R, G, B, A bytes) over a width x height image.
inline void FillSolid(lumo::CImage& image, std::uint32_t width, std::uint32_t height,
                      std::array<std::uint8_t, 4> rgba) {
    std::vector<std::uint8_t> bytes(std::size_t{width} * height * 4);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = rgba[i % 4];
    }
    image.Create(width, height, lumo::kCreateDirect);
    image.ImportChannels(bytes, lumo::kChannelRGBA);
}

// A little-endian G1T file with `textures` textures of one colour in `format`, placed at the
// start of a zeroed slot of slotSize bytes; empty when the toolkit refuses it.
inline std::vector<std::uint8_t> SolidSlot(std::uint32_t width, std::uint32_t height,
                                           std::uint32_t format, std::array<std::uint8_t, 4> rgba,
                                           std::uint32_t slotSize, int textures = 1) {
    lumo::CG1TFileImpl g1t;
    g1t.SetPlatform(0);
    lumo::CImage image;
    FillSolid(image, width, height, rgba);
    for (int i = 0; i < textures; ++i) {
        lumo::CG1TTexture& texture = g1t.AddTexture();
        texture.header.SetFormat(format);
        if (!texture.SetImage(image)) {
            return {};
        }
    }
    std::vector<std::uint8_t> slot(slotSize);
    lumo::CBinaryWriterToMemory writer(slot.data(), slotSize);
    const std::uint32_t written = g1t.Write(writer);
    if (written == 0 || written != g1t.WrittenSize()) {
        return {};
    }
    return slot;
}

}  // namespace kaocg_test
