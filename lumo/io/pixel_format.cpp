#include "lumo/io/pixel_format.h"

#include <algorithm>
#include <array>

namespace lumo {
namespace {

constexpr std::uint8_t Y = 0xFE;  // the platform stores the code unchanged
constexpr std::uint8_t N = 0xFF;  // the platform has no entry for the code

struct FormatRow {
    std::string_view name;  // empty: the code has no name
    std::uint8_t bitsPerPixel;
    bool block;
    std::uint64_t paletteEntries;
    std::array<std::uint8_t, kPlatformCount> platform;
};

// One row per code; the platform columns give the stored code for platforms 0..4.
constexpr std::array<FormatRow, kFormatCodeCount> kFormats{{
    {"RGBA8", 32, false, 0, {1, Y, Y, 10, Y}},              // 0
    {"BGRA8", 32, false, 0, {Y, Y, Y, 10, 0}},              // 1: the face textures
    {"R32F", 32, false, 0, {N, N, N, N, N}},                // 2
    {"RGBA16F", 64, false, 0, {Y, Y, Y, 10, 0}},            // 3: half floats
    {"RGBA32F", 128, false, 0, {Y, Y, Y, 10, 0}},           // 4: single floats
    {"Z24S8", 32, false, 0, {N, N, N, N, N}},               // 5
    {"DXT1", 4, true, 0, {Y, Y, Y, 16, Y}},                 // 6: 8 bytes per 4x4 block
    {"DXT3", 8, true, 0, {Y, Y, Y, N, Y}},                  // 7: 16 bytes per block
    {"DXT5", 8, true, 0, {Y, Y, Y, N, Y}},                  // 8: 16 bytes per block
    {"TILE_RGBA8", 32, false, 0, {1, Y, Y, 10, Y}},         // 9
    {"TILE_BGRA8", 32, false, 0, {1, Y, Y, Y, 9}},          // 10
    {"TILE_R32F", 32, false, 0, {N, N, N, N, N}},           // 11
    {"TILE_RGBA16F", 64, false, 0, {3, Y, Y, 10, 9}},       // 12
    {"TILE_RGBA32F", 128, false, 0, {4, Y, Y, 10, 9}},      // 13
    {"RGB10FA2F", 32, false, 0, {1, 0, Y, N, 0}},           // 14
    {"A8", 8, false, 0, {N, N, N, N, N}},                   // 15
    {"TILE_DXT1", 4, true, 0, {6, Y, Y, Y, 6}},             // 16
    {"TILE_DXT3", 8, true, 0, {7, Y, Y, N, 7}},             // 17
    {"TILE_DXT5", 8, true, 0, {8, Y, Y, N, 8}},             // 18
    {"TILE_Z24S8", 32, false, 0, {N, N, N, N, N}},          // 19
    {"Z16", 16, false, 0, {N, N, N, N, N}},                 // 20
    {"TILE_Z16", 16, false, 0, {N, N, N, N, N}},            // 21
    {"R16", 16, false, 0, {N, N, N, N, N}},                 // 22
    {"TILE_R16", 16, false, 0, {N, N, N, N, N}},            // 23
    {"TILE_A8", 8, false, 0, {N, N, N, N, N}},              // 24
    {"B5G6R5", 16, false, 0, {Y, Y, Y, N, 52}},             // 25
    {"B5G5R5A1", 16, false, 0, {Y, Y, Y, N, 53}},           // 26
    {"B4G4R4A4", 16, false, 0, {Y, Y, Y, N, 54}},           // 27
    {"TILE_B5G6R5", 16, false, 0, {25, Y, Y, Y, 59}},       // 28
    {"TILE_B5G5R5A1", 16, false, 0, {26, Y, Y, 28, 60}},    // 29
    {"TILE_B4G4R4A4", 16, false, 0, {27, Y, Y, 28, 61}},    // 30
    {"Z24FS8", 32, false, 0, {N, N, N, N, N}},              // 31
    {"TILE_Z24FS8", 32, false, 0, {N, N, N, N, N}},         // 32
    {"BGRX8", 32, false, 0, {Y, Y, N, 34, N}},              // 33
    {"TILE_BGRX8", 32, false, 0, {33, Y, N, Y, N}},         // 34
    {"GR16", 32, false, 0, {N, N, N, N, N}},                // 35
    {"TILE_GR16", 32, false, 0, {N, N, N, N, N}},           // 36
    {"TILE_B5G5R5A3", 16, false, 0, {N, N, N, Y, N}},       // 37
    {"TILE_BG8", 16, false, 0, {N, N, N, N, N}},            // 38
    {"TILE_RA8", 16, false, 0, {N, N, N, N, N}},            // 39
    {"TILE_B8", 8, false, 0, {N, N, N, N, N}},              // 40
    {"TILE_G8", 8, false, 0, {N, N, N, N, N}},              // 41
    {"TILE_R8", 8, false, 0, {N, N, N, N, N}},              // 42
    {"TILE_L4", 4, false, 0, {N, N, N, Y, N}},              // 43
    {"TILE_L8", 8, false, 0, {N, N, N, Y, N}},              // 44
    {"TILE_LA4", 8, false, 0, {N, N, N, Y, N}},             // 45
    {"TILE_LA8", 16, false, 0, {N, N, N, Y, N}},            // 46
    {"TILE_Z4", 4, false, 0, {N, N, N, N, N}},              // 47
    {"TILE_Z8", 8, false, 0, {N, N, N, N, N}},              // 48
    {"TILE_NDEX4", 4, false, 16, {N, N, N, Y, Y}},          // 49: spelt so by the game
    {"TILE_INDEX8", 8, false, 256, {N, N, N, Y, Y}},        // 50
    {"TILE_INDEX14X2", 16, false, 16384, {N, N, N, N, N}},  // 51
    {"", 16, false, 0, {25, 25, N, 28, Y}},                 // 52
    {"", 16, false, 0, {26, 26, N, 28, Y}},                 // 53
    {"", 16, false, 0, {27, 27, N, 28, Y}},                 // 54
    {"", 4, false, 16, {N, N, N, 49, Y}},                   // 55
    {"", 8, false, 256, {N, N, N, 50, Y}},                  // 56
    {"", 16, false, 65536, {N, N, N, N, N}},                // 57
    {"", 32, false, 4294967295u, {N, N, N, N, N}},          // 58
    {"", 16, false, 0, {25, 28, N, 28, Y}},                 // 59
    {"", 16, false, 0, {26, 29, N, 28, Y}},                 // 60
    {"", 16, false, 0, {27, 30, N, 28, Y}},                 // 61
    {"", 16, false, 65536, {N, N, N, N, N}},                // 62
    {"", 32, false, 4294967295u, {N, N, N, N, N}},          // 63
}};

const FormatRow* Row(std::uint32_t code) {
    return code < kFormatCodeCount ? &kFormats[code] : nullptr;
}

// Palette formats that platforms 3 and 4 accept, and what they become there.
std::uint32_t Platform3Palette(std::uint32_t format) {
    switch (format) {
        case 28:
        case 37:
        case 38:
            return format;
        case 29:
        case 30:
        case 52:
        case 53:
        case 54:
        case 59:
        case 60:
        case 61:
            return 28;
        default:
            return kPaletteRefused;
    }
}

std::uint32_t Platform4Palette(std::uint32_t format) {
    switch (format) {
        case 52:
        case 53:
        case 54:
            return format;
        case 25:
        case 28:
        case 59:
            return 52;
        case 26:
        case 29:
        case 60:
            return 53;
        case 27:
        case 30:
        case 61:
            return 54;
        case 0:
        case 1:
        case 9:
        case 10:
            return 0;
        default:
            return kPaletteRefused;
    }
}

}  // namespace

std::optional<std::string_view> FormatName(std::uint32_t code) {
    const FormatRow* row = Row(code);
    if (!row || row->name.empty()) {
        return std::nullopt;
    }
    return row->name;
}

std::optional<std::uint32_t> FormatFromName(std::string_view name) {
    const auto it = std::find_if(kFormats.begin(), kFormats.end(), [&](const FormatRow& row) {
        return !row.name.empty() && row.name == name;
    });
    if (it == kFormats.end()) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(it - kFormats.begin());
}

std::uint32_t FormatBitsPerPixel(std::uint32_t code) {
    const FormatRow* row = Row(code);
    return row ? row->bitsPerPixel : 0;
}

bool IsBlockCompressed(std::uint32_t code) {
    const FormatRow* row = Row(code);
    return row && row->block;
}

std::uint64_t PaletteEntries(std::uint32_t code) {
    const FormatRow* row = Row(code);
    return row ? row->paletteEntries : 0;
}

std::uint64_t LevelSize(std::uint32_t code, std::uint32_t width, std::uint32_t height) {
    std::uint64_t w = width;
    std::uint64_t h = height;
    if (IsBlockCompressed(code) && (w < 4 || h < 4)) {
        w = 4;
        h = 4;
    }
    return w * h * FormatBitsPerPixel(code) / 8;
}

std::uint32_t PlatformFormat(std::uint32_t platform, std::uint32_t code) {
    const FormatRow* row = Row(code);
    if (!row || platform >= kPlatformCount) {
        return kFormatCodeCount;
    }
    const std::uint8_t entry = row->platform[platform];
    return entry == Y ? code : entry == N ? kFormatCodeCount : entry;
}

std::uint32_t PlatformPaletteFormat(std::uint32_t platform, std::uint32_t paletteFormat) {
    if (paletteFormat >= kNoPalette) {
        return kNoPalette;
    }
    switch (platform) {
        case 3:
            return Platform3Palette(paletteFormat);
        case 4:
            return Platform4Palette(paletteFormat);
        default:
            return kPaletteRefused;  // platforms 0..2 hold no palettes
    }
}

}  // namespace lumo
