#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace lumo {

// Texture pixel format codes that the codecs and the container name directly.
enum PixelFormat : std::uint32_t {
    kFormatRGBA8 = 0,
    kFormatBGRA8 = 1,
    kFormatR32F = 2,
    kFormatRGBA16F = 3,
    kFormatRGBA32F = 4,
    kFormatZ24S8 = 5,
    kFormatDXT1 = 6,
    kFormatDXT3 = 7,
    kFormatDXT5 = 8,
    kFormatTileRGBA8 = 9,
    kFormatTileBGRA8 = 10,
    kFormatTileDXT1 = 16,
    kFormatTileDXT3 = 17,
    kFormatTileDXT5 = 18,
};

constexpr std::uint32_t kFormatCodeCount = 64;   // codes 0..63 exist
constexpr std::uint32_t kNoPalette = 64;         // palette format of a texture without palette
constexpr std::uint32_t kPlatformCount = 5;      // G1T platforms 0..4
constexpr std::uint32_t kPaletteRefused = 0xFF;  // a palette format the platform cannot hold

// Name of a code 0..51; codes 52..63 exist but have no name.
std::optional<std::string_view> FormatName(std::uint32_t code);
// The code whose name is name (exact spelling), if any.
std::optional<std::uint32_t> FormatFromName(std::string_view name);

// Storage size of a pixel in eighths of a byte (4-bit formats take 4 eighths).
std::uint32_t FormatBitsPerPixel(std::uint32_t code);
bool IsBlockCompressed(std::uint32_t code);
std::uint64_t PaletteEntries(std::uint32_t code);

// Bytes of one mip level. Block-compressed codes take both sides as 4 when either is below 4.
// Computed in 64 bits so that no header value can overflow it.
std::uint64_t LevelSize(std::uint32_t code, std::uint32_t width, std::uint32_t height);

// The code a texture of this platform is stored in: code itself when the platform stores it,
// a replacement, or a value of 64 or more when the platform has no entry (or is above 4).
std::uint32_t PlatformFormat(std::uint32_t platform, std::uint32_t code);
// The same for palette formats: 64 stays 64 (no palette); kPaletteRefused when the platform
// cannot hold the palette format.
std::uint32_t PlatformPaletteFormat(std::uint32_t platform, std::uint32_t paletteFormat);

}  // namespace lumo
