#include "kaocg/face_texture.h"

#include <algorithm>
#include <array>
#include <limits>
#include <utility>
#include <vector>

#include "kaocg/face_size.h"
#include "kaocg/image_archive_layout.h"
#include "lumo/image/image.h"
#include "lumo/image/pixel.h"
#include "lumo/image/pixel_codec.h"
#include "lumo/io/binary_reader.h"
#include "lumo/io/binary_writer.h"
#include "lumo/io/g1t/g1t_file.h"

namespace kaocg_func {
namespace {

constexpr std::uint8_t kOpaque = 255;

// The small face's corners are rounded by these 7 x 7 tables, indexed [a][b] with a the
// column's distance from the nearer vertical edge of the 60 x 60 area and b the row's distance
// from the nearer horizontal edge. The colour mask is ORed into red, green and blue: it turns
// exactly the pixels that the corner cuts away (alpha 0) white, while the partly transparent
// edge keeps the face's colour. The alpha replaces the opaque value. Both tables are symmetric.
constexpr std::size_t kCorner = 7;
using CornerTable = std::array<std::array<std::uint8_t, kCorner>, kCorner>;

constexpr CornerTable kCornerColourMask{{
    {255, 255, 255, 255, 255, 0, 0},
    {255, 255, 255, 0, 0, 0, 0},
    {255, 255, 0, 0, 0, 0, 0},
    {255, 0, 0, 0, 0, 0, 0},
    {255, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0},
    {0, 0, 0, 0, 0, 0, 0},
}};

constexpr CornerTable kCornerAlpha{{
    {0, 0, 0, 0, 0, 71, 152},
    {0, 0, 0, 152, 255, 255, 255},
    {0, 0, 255, 255, 255, 255, 255},
    {0, 152, 255, 255, 255, 255, 255},
    {0, 255, 255, 255, 255, 255, 255},
    {71, 255, 255, 255, 255, 255, 255},
    {152, 255, 255, 255, 255, 255, 255},
}};

// The part of the texture the game shows for a face size.
struct VisibleArea {
    std::uint32_t width;
    std::uint32_t height;
    bool small;  // rounded corners, and black rather than kept colour outside
};

VisibleArea AreaOf(int kind) {
    const FaceDimensions face = FaceDimensionsOf(FaceSizeOfKind(kind));
    return {static_cast<std::uint32_t>(face.width), static_cast<std::uint32_t>(face.height),
            FaceSizeOfKind(kind) == kSizeSmall};
}

struct PixelRule {
    std::uint8_t orMask;
    std::uint8_t alpha;
    bool keepColour;
};

PixelRule RuleAt(const VisibleArea& area, std::uint32_t x, std::uint32_t y) {
    if (x >= area.width || y >= area.height) {
        return {0, 0, !area.small};
    }
    if (area.small) {
        const std::uint32_t a = std::min(x, area.width - 1 - x);
        const std::uint32_t b = std::min(y, area.height - 1 - y);
        if (a < kCorner && b < kCorner) {
            return {kCornerColourMask[a][b], kCornerAlpha[a][b], true};
        }
    }
    return {0, kOpaque, true};
}

// RGBA bytes, top row first, from a 24-bit picture stored blue, green, red.
std::vector<std::uint8_t> FaceRgba(const picture::CDIB& picture, int kind) {
    const auto w = static_cast<std::uint32_t>(picture.Width());
    const auto h = static_cast<std::uint32_t>(picture.Height());
    const VisibleArea area = AreaOf(kind);
    std::vector<std::uint8_t> rgba(std::size_t{w} * h * 4);
    std::uint8_t* out = rgba.data();
    for (std::uint32_t y = 0; y < h; ++y) {
        const std::uint8_t* in = picture.PixelAddress(0, static_cast<std::int32_t>(y));
        for (std::uint32_t x = 0; x < w; ++x, in += 3, out += 4) {
            const PixelRule rule = RuleAt(area, x, y);
            const std::uint8_t keep = rule.keepColour ? 0xFF : 0x00;
            out[0] = static_cast<std::uint8_t>((in[2] & keep) | rule.orMask);
            out[1] = static_cast<std::uint8_t>((in[1] & keep) | rule.orMask);
            out[2] = static_cast<std::uint8_t>((in[0] & keep) | rule.orMask);
            out[3] = rule.alpha;
        }
    }
    return rgba;
}

bool IsEncodable(const picture::CDIB& picture, int kind) {
    const auto side = static_cast<std::int32_t>(TextureSide(kind));
    return IsEditKind(kind) && picture.IsValid() && picture.BitCount() == 24 &&
           picture.Width() == side && picture.Height() == side &&
           picture.PixelAddress(0, 0) != nullptr;
}

// The face as a one-texture G1T object. The texture starts out as RGBA8, which platform 0
// does not store: validation before the write switches it to BGRA8.
bool BuildFaceG1t(const std::vector<std::uint8_t>& rgba, std::uint32_t side,
                  lumo::CG1TFileImpl& g1t) {
    lumo::CImage image;
    if (!image.Create(side, side, lumo::kCreateDirect) ||
        !image.ImportChannels(rgba, lumo::kChannelRGBA)) {
        return false;
    }
    g1t.SetPlatform(0);
    lumo::CG1TTexture& texture = g1t.AddTexture();
    if (!texture.SetImage(image)) {
        return false;
    }
    texture.header.SetFormat(lumo::kFormatRGBA8);
    texture.paletteFormat = lumo::kNoPalette;
    return true;
}

lumo::CTextureDesc DescOf(const lumo::CG1TTexture& texture, const lumo::CG1TSurface& surface) {
    lumo::CTextureDesc desc;
    desc.width = surface.width;
    desc.height = surface.height;
    desc.format = surface.format;
    desc.platform = surface.platform;
    desc.swapBytes = lumo::IsBigEndianPlatform(surface.platform);
    desc.attributes = &texture.attributes;
    return desc;
}

// The first level of the texture as bytes R, G, B, A, decoded straight into bytes.
bool DecodeFirstLevel(const lumo::CG1TTexture& texture, std::vector<std::uint8_t>& rgba) {
    const lumo::CG1TSurface* surface = texture.Surface(0, 0);
    if (surface == nullptr || surface->width != texture.Width() ||
        surface->height != texture.Height()) {
        return false;
    }
    lumo::CClassicImage image;
    if (!lumo::DecodePixels(DescOf(texture, *surface), surface->pixels.data(),
                            surface->pixels.size(), image)) {
        return false;
    }
    rgba = std::move(image.Pixels());
    return rgba.size() == std::uint64_t{surface->width} * surface->height * 4;
}

}  // namespace

bool EncodeFaceTexture(const picture::CDIB& picture, int kind, std::span<std::uint8_t> slot) {
    if (!IsEncodable(picture, kind) || slot.size() > std::numeric_limits<std::uint32_t>::max()) {
        return false;
    }
    lumo::CG1TFileImpl g1t;
    if (!BuildFaceG1t(FaceRgba(picture, kind), TextureSide(kind), g1t)) {
        return false;
    }
    lumo::CBinaryWriterToMemory writer(slot.data(), static_cast<std::uint32_t>(slot.size()));
    const std::uint32_t written = g1t.Write(writer);
    // The writer refuses what does not fit, so a short count means the file was cut off.
    if (written == 0 || written != g1t.WrittenSize()) {
        return false;
    }
    std::fill(slot.begin() + written, slot.end(), std::uint8_t{0});
    return true;
}

bool DecodeFaceTexture(std::span<const std::uint8_t> slot, picture::CDIB& picture) {
    if (slot.size() > std::numeric_limits<std::uint32_t>::max()) {
        return false;
    }
    lumo::CBinaryReaderFromMemory reader(slot.data(), static_cast<std::uint32_t>(slot.size()));
    lumo::CG1TFileImpl g1t;
    if (!g1t.Read(reader) || g1t.TextureCount() != 1) {
        return false;
    }
    const lumo::CG1TTexture& texture = *g1t.Texture(0);
    std::vector<std::uint8_t> pixels;
    if (!DecodeFirstLevel(texture, pixels)) {
        return false;
    }
    // A 32-bit bitmap stores each pixel blue first.
    for (std::size_t i = 0; i < pixels.size(); i += 4) {
        std::swap(pixels[i], pixels[i + 2]);
    }
    const picture::BITMAPINFOHEADER header =
        DecodedFaceHeader(texture.header.Log2Width(), texture.header.Log2Height());
    // The pixels are handed over, not copied; this creation takes a positive height as
    // top-down.
    auto decoded = picture::CDIB::CreateWithPixels(header.biWidth, -header.biHeight,
                                                   std::move(pixels), header.biBitCount);
    if (!decoded) {
        return false;
    }
    picture = std::move(*decoded);
    return true;
}

picture::BITMAPINFOHEADER DecodedFaceHeader(std::uint32_t log2Width, std::uint32_t log2Height) {
    picture::BITMAPINFOHEADER header;
    header.biSize = picture::kInfoHeaderSize;
    header.biWidth = std::int32_t{1} << (log2Width & 0x0F);
    header.biHeight = -(std::int32_t{1} << (log2Height & 0x0F));
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = picture::BI_RGB;
    return header;
}

}  // namespace kaocg_func
