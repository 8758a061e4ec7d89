#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "lumo/image/image.h"
#include "lumo/io/g1t_item.h"
#include "lumo/io/pixel_format.h"

namespace lumo {

// Layout types of a texture record.
enum G1TLayout : std::uint32_t {
    kLayoutSingle = 0,  // one surface
    kLayoutCube = 1,    // six surfaces, a cube map
};

// The 8-byte texture record as stored in a little-endian file.
struct CG1TTextureHeader {
    std::array<std::uint8_t, 8> bytes{0x10, kFormatRGBA8, 0x00, 0x00, 0x00, 0x10, 0x21, 0x00};

    std::uint32_t Layout() const { return bytes[0] & 0x0F; }
    std::uint32_t MipCount() const { return bytes[0] >> 4; }
    std::uint32_t Format() const { return bytes[1]; }
    std::uint32_t Log2Width() const { return bytes[2] & 0x0F; }
    std::uint32_t Log2Height() const { return bytes[2] >> 4; }
    bool HasExtendedHeader() const { return (bytes[7] >> 4) == 1; }

    void SetLayout(std::uint32_t layout) { bytes[0] = (bytes[0] & 0xF0) | (layout & 0x0F); }
    void SetMipCount(std::uint32_t count) { bytes[0] = (bytes[0] & 0x0F) | ((count & 0x0F) << 4); }
    void SetFormat(std::uint32_t code) { bytes[1] = static_cast<std::uint8_t>(code); }
    void SetLog2Size(std::uint32_t log2Width, std::uint32_t log2Height) {
        bytes[2] = static_cast<std::uint8_t>((log2Width & 0x0F) | ((log2Height & 0x0F) << 4));
    }
    void SetExtendedHeader(bool present) {
        bytes[7] = static_cast<std::uint8_t>((bytes[7] & 0x0F) | (present ? 0x10 : 0x00));
    }
    bool operator==(const CG1TTextureHeader&) const = default;
};
static_assert(sizeof(CG1TTextureHeader) == 8);

// The extended texture header that follows the record when byte 7 says so. Its first word is
// its own size; bytes past the three known words are kept as they were read and written back.
struct CG1TExtendedHeader {
    static constexpr std::uint32_t kSize = 12;
    std::uint32_t size = kSize;
    float value = 0.0f;
    std::uint32_t packed = 0;  // bit fields 4, 20, 8 from the least significant bit
    std::vector<std::uint8_t> rest;

    std::uint32_t ColorSpace() const { return packed >> 24; }  // 1 = sRGB, 0 = linear
    void SetColorSpace(std::uint32_t flag) { packed = (packed & 0x00FFFFFFu) | (flag << 24); }
    bool operator==(const CG1TExtendedHeader&) const = default;
};

// One stored surface: one mip level of one face, in the format and platform it was stored in.
struct CG1TSurface {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t format = kFormatRGBA8;
    std::uint32_t paletteFormat = kNoPalette;
    std::uint32_t platform = 0;
    std::vector<std::uint8_t> pixels;
    std::vector<std::uint8_t> palette;
    // The file header keeps one word per texture; the texture's first surface carries it.
    std::uint32_t headerWord = 0;

    bool operator==(const CG1TSurface&) const = default;
};

// A texture of a G1T file. Surfaces are ordered face by face, each face with its levels from
// the largest: surface (face, level) is surfaces[face * MipCount() + level].
class CG1TTexture {
public:
    CG1TTextureHeader header;
    CG1TExtendedHeader extended;
    std::uint32_t platform = 0;
    std::uint32_t paletteFormat = kNoPalette;
    std::wstring name;
    std::vector<CG1TItem> attributes;
    std::vector<CG1TSurface> surfaces;
    bool initialised = false;
    bool fixed = false;
    bool dirty = false;

    std::uint32_t Width() const { return 1u << header.Log2Width(); }
    std::uint32_t Height() const { return 1u << header.Log2Height(); }
    std::uint32_t Format() const { return header.Format(); }
    std::uint32_t MipCount() const { return header.MipCount(); }
    std::uint32_t FaceCount() const { return header.Layout() == kLayoutCube ? 6 : 1; }
    std::uint32_t LevelWidth(std::uint32_t level) const;
    std::uint32_t LevelHeight(std::uint32_t level) const;

    const CG1TSurface* Surface(std::uint32_t face, std::uint32_t level) const;

    // Encodes the image into the given face: the image must be direct with sides that are
    // powers of two (at most 32768); the texture takes its size, and the smaller levels up to
    // the texture's mip count are made with the halving filter.
    bool SetImage(const CImage& image, std::uint32_t face = 0, std::uint32_t filter = 0);
    // Decodes one surface into an image.
    bool GetImage(CImage& image, std::uint32_t face = 0, std::uint32_t level = 0) const;

    // Re-encodes every surface whose format or platform differs from the texture's.
    bool ConvertSurfaces();
};

}  // namespace lumo
