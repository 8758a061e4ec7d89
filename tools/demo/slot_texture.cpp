#include "tools/demo/slot_texture.h"

#include <squish.h>

#include <algorithm>
#include <bit>

#include "lumo/io/binary_writer.h"
#include "lumo/io/g1t/g1t_file.h"
#include "lumo/io/pixel_format.h"

namespace kaocg_demo {
namespace {

std::uint32_t FormatCode(SlotFormat format) {
    switch (format) {
        case SlotFormat::kDxt1:
            return lumo::kFormatDXT1;
        case SlotFormat::kDxt5:
            return lumo::kFormatDXT5;
        default:
            return lumo::kFormatBGRA8;
    }
}

std::vector<std::uint8_t> ToBgra(std::span<const std::uint8_t> rgba) {
    std::vector<std::uint8_t> bgra(rgba.size());
    for (std::size_t i = 0; i + 3 < rgba.size(); i += 4) {
        bgra[i] = rgba[i + 2];
        bgra[i + 1] = rgba[i + 1];
        bgra[i + 2] = rgba[i];
        bgra[i + 3] = rgba[i + 3];
    }
    return bgra;
}

// The blocks go into the surface as they come out of the block coder: platform 0 stores them
// in that order.
std::vector<std::uint8_t> ToBlocks(std::span<const std::uint8_t> rgba, std::uint32_t side,
                                   SlotFormat format) {
    const int flags =
        (format == SlotFormat::kDxt1 ? squish::kDxt1 : squish::kDxt5) | squish::kColourRangeFit;
    const int n = static_cast<int>(side);
    std::vector<std::uint8_t> blocks(
        static_cast<std::size_t>(squish::GetStorageRequirements(n, n, flags)));
    squish::CompressImage(rgba.data(), n, n, blocks.data(), flags);
    return blocks;
}

}  // namespace

SlotFormat StockSlotFormat(std::uint32_t slot) {
    if (slot % 8 == 0) {
        return SlotFormat::kBgra8;
    }
    return slot % 2 == 1 ? SlotFormat::kDxt1 : SlotFormat::kDxt5;
}

namespace {

bool IsSlotSide(std::uint32_t side) {
    return std::has_single_bit(side) && side >= 4 && side <= 256;
}

// Wraps one level of stored pixels into the G1T file of a slot.
bool Assemble(std::uint32_t side, SlotFormat format, std::vector<std::uint8_t> pixels,
              std::vector<std::uint8_t>& out, std::string& error) {
    const std::uint32_t code = FormatCode(format);
    lumo::CG1TFileImpl file;
    file.SetPlatform(0);
    lumo::CG1TTexture& texture = file.AddTexture();
    file.SetPixelFormat(code);
    texture.header.SetMipCount(1);
    const auto log2 = static_cast<std::uint32_t>(std::countr_zero(side));
    texture.header.SetLog2Size(log2, log2);
    texture.header.SetExtendedHeader(true);
    lumo::CG1TSurface surface;
    surface.width = side;
    surface.height = side;
    surface.format = code;
    surface.platform = 0;
    surface.pixels = std::move(pixels);
    texture.surfaces.push_back(std::move(surface));

    const auto size =
        static_cast<std::uint32_t>(kSlotHeaderBytes + lumo::LevelSize(code, side, side));
    out.assign(size, 0);
    lumo::CBinaryWriterToMemory writer(out.data(), size);
    const std::uint32_t written = file.Write(writer);
    if (written != size || file.WrittenSize() != size) {
        error = "the G1T container wrote " + std::to_string(written) + " bytes of a " +
                std::to_string(size) + "-byte slot texture (error code " +
                std::to_string(file.LastError()) + ")";
        return false;
    }
    return true;
}

}  // namespace

bool BuildSlotTexture(std::span<const std::uint8_t> rgba, std::uint32_t side, SlotFormat format,
                      std::vector<std::uint8_t>& out, std::string& error) {
    if (!IsSlotSide(side) || rgba.size() != std::size_t{side} * side * 4) {
        error = "a slot texture needs a square picture of 4 to 256 pixels a side";
        return false;
    }
    return Assemble(side, format,
                    format == SlotFormat::kBgra8 ? ToBgra(rgba) : ToBlocks(rgba, side, format), out,
                    error);
}

bool BuildBlankSlotTexture(std::uint32_t side, SlotFormat format, std::vector<std::uint8_t>& out,
                           std::string& error) {
    if (!IsSlotSide(side)) {
        error = "a slot texture needs 4 to 256 pixels a side";
        return false;
    }
    const auto size = static_cast<std::size_t>(lumo::LevelSize(FormatCode(format), side, side));
    std::vector<std::uint8_t> pixels(size, 0);
    if (format == SlotFormat::kDxt1) {
        for (std::size_t block = 0; block + 8 <= size; block += 8) {
            std::fill_n(pixels.begin() + static_cast<std::ptrdiff_t>(block) + 4, 4, 0xFF);
        }
    }
    return Assemble(side, format, std::move(pixels), out, error);
}

}  // namespace kaocg_demo
