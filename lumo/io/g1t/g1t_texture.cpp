#include "lumo/io/g1t/g1t_texture.h"

#include <algorithm>
#include <bit>

#include "lumo/image/mip_filter.h"
#include "lumo/image/pixel_codec.h"

namespace lumo {
namespace {

constexpr std::uint32_t kMaxSide = 1u << 15;  // log2 sizes are 4-bit nibbles

CTextureDesc DescOf(const CG1TSurface& surface, const std::vector<CG1TItem>& attributes) {
    CTextureDesc desc;
    desc.width = surface.width;
    desc.height = surface.height;
    desc.format = surface.format;
    desc.platform = surface.platform;
    desc.swapBytes = IsBigEndianPlatform(surface.platform);
    desc.attributes = &attributes;
    return desc;
}

// Codecs that cannot store a surface give a zeroed picture of another size; the file keeps
// exactly the level size that the record promises.
void FitToLevelSize(CG1TSurface& surface) {
    surface.pixels.resize(LevelSize(surface.format, surface.width, surface.height), 0);
}

bool IsUsableSide(std::uint32_t side) {
    return side > 0 && side <= kMaxSide && std::has_single_bit(side);
}

// Replaces the image's pixels with the next smaller level; an unknown filter gives black.
bool HalveInto(CImage& image, std::uint32_t filter) {
    const std::uint32_t w = image.GetWidth();
    const std::uint32_t h = image.GetHeight();
    std::vector<float> half;
    if (!MakeHalfLevel(image, w, h, filter, half)) {
        return false;
    }
    const std::uint32_t hw = std::max(1u, w / 2);
    const std::uint32_t hh = std::max(1u, h / 2);
    half.resize(std::size_t{hw} * hh * 4, 0.0f);
    if (!image.Create(hw, hh, kCreateDirect)) {
        return false;
    }
    image.Pixels() = std::move(half);
    return true;
}

}  // namespace

std::uint32_t CG1TTexture::LevelWidth(std::uint32_t level) const {
    return level >= 32 ? 1 : std::max(1u, Width() >> level);
}

std::uint32_t CG1TTexture::LevelHeight(std::uint32_t level) const {
    return level >= 32 ? 1 : std::max(1u, Height() >> level);
}

const CG1TSurface* CG1TTexture::Surface(std::uint32_t face, std::uint32_t level) const {
    const std::size_t index = std::size_t{face} * MipCount() + level;
    if (face >= FaceCount() || level >= MipCount() || index >= surfaces.size()) {
        return nullptr;
    }
    return &surfaces[index];
}

bool CG1TTexture::SetImage(const CImage& image, std::uint32_t face, std::uint32_t filter) {
    const std::uint32_t w = image.GetWidth();
    const std::uint32_t h = image.GetHeight();
    if (!initialised || fixed || !image.IsDirect() || !IsUsableSide(w) || !IsUsableSide(h) ||
        face >= FaceCount()) {
        return false;
    }
    const std::uint32_t possibleLevels = std::bit_width(std::max(w, h));
    const std::uint32_t levels = std::clamp(MipCount(), 1u, possibleLevels);
    const bool resized = w != Width() || h != Height() || levels != MipCount() ||
                         surfaces.size() != std::size_t{FaceCount()} * levels;

    std::vector<CG1TSurface> encoded(levels);
    CImage level;
    level.CopyFrom(image);
    for (std::uint32_t k = 0; k < levels; ++k) {
        if (k > 0 && !HalveInto(level, filter)) {
            return false;
        }
        CG1TSurface& surface = encoded[k];
        surface.width = level.GetWidth();
        surface.height = level.GetHeight();
        surface.format = Format();
        surface.paletteFormat = paletteFormat;
        surface.platform = platform;
        if (!EncodePixels(DescOf(surface, attributes), level, surface.pixels)) {
            return false;
        }
        FitToLevelSize(surface);
    }

    const std::uint32_t firstWord = surfaces.empty() ? 0 : surfaces.front().headerWord;
    header.SetLog2Size(std::countr_zero(w), std::countr_zero(h));
    header.SetMipCount(levels);
    if (resized) {
        // Other faces no longer match the new size; they start out empty (stored as zeros).
        surfaces.assign(std::size_t{FaceCount()} * levels, CG1TSurface{});
        for (std::uint32_t f = 0; f < FaceCount(); ++f) {
            for (std::uint32_t k = 0; k < levels; ++k) {
                CG1TSurface& s = surfaces[std::size_t{f} * levels + k];
                s = encoded[k];
                s.pixels.clear();
            }
        }
    }
    for (std::uint32_t k = 0; k < levels; ++k) {
        surfaces[std::size_t{face} * levels + k] = std::move(encoded[k]);
    }
    surfaces.front().headerWord = firstWord;
    dirty = true;
    return true;
}

bool CG1TTexture::GetImage(CImage& image, std::uint32_t face, std::uint32_t level) const {
    const CG1TSurface* surface = Surface(face, level);
    if (!surface) {
        return false;
    }
    return DecodePixels(DescOf(*surface, attributes), surface->pixels.data(),
                        surface->pixels.size(), image);
}

bool CG1TTexture::ConvertSurfaces() {
    for (CG1TSurface& surface : surfaces) {
        if (surface.format == Format() && surface.platform == platform) {
            surface.paletteFormat = paletteFormat;
            continue;
        }
        if (!surface.pixels.empty()) {
            CImage image;
            if (!DecodePixels(DescOf(surface, attributes), surface.pixels.data(),
                              surface.pixels.size(), image)) {
                return false;
            }
            CG1TSurface target = surface;
            target.format = Format();
            target.platform = platform;
            if (!EncodePixels(DescOf(target, attributes), image, surface.pixels)) {
                return false;
            }
            surface.format = Format();
            FitToLevelSize(surface);
        }
        surface.format = Format();
        surface.platform = platform;
        surface.paletteFormat = paletteFormat;
        dirty = true;
    }
    return true;
}

}  // namespace lumo
