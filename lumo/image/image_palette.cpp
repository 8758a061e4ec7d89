// The indexed side of the images: taking and giving indexed pictures and palette colours.

#include <cstdint>
#include <type_traits>
#include <vector>

#include "lumo/image/color_operation.h"
#include "lumo/image/image.h"
#include "lumo/image/image_body.h"

namespace lumo {
namespace {

// An indexed picture whose parts agree: one index per pixel and every palette holding its
// colour count. Anything else would send exports and palette accesses out of bounds.
bool IsConsistent(const CPaletteImage& picture) {
    if (picture.width == 0 || picture.height == 0 || picture.colorCount == 0 ||
        picture.palettes.empty() || !detail::SizeAllowed(picture.width, picture.height)) {
        return false;
    }
    if (picture.indices.size() != std::uint64_t{picture.width} * picture.height) {
        return false;
    }
    for (const std::vector<CClassicImagePixel4>& colors : picture.palettes) {
        if (colors.size() != picture.colorCount) {
            return false;
        }
    }
    return true;
}

}  // namespace

template <typename Channel>
bool CImageT<Channel>::SetIndexedPicture(const CPaletteImage& picture) {
    detail::ImageBody<Channel>& body = *m_body;
    if (body.fixed || !IsConsistent(picture)) {
        return false;
    }
    if constexpr (std::is_same_v<Channel, std::uint8_t>) {
        // The byte image takes a picture only into a size it already has, and only the two
        // palette sizes of the texture formats. Its direct data goes, or the picture would
        // stay hidden behind it.
        if (!IsValid() || (picture.colorCount != 16 && picture.colorCount != 256) ||
            picture.width != body.width || picture.height != body.height) {
            return false;
        }
        std::vector<Channel>().swap(body.pixels);
        body.palette = picture;
    } else {
        Clear();
        body.width = picture.width;
        body.height = picture.height;
        body.palette = picture;
    }
    return true;
}

template <typename Channel>
bool CImageT<Channel>::GetIndexedPicture(CPaletteImage& picture) const {
    const detail::ImageBody<Channel>& body = *m_body;
    if (body.fixed || !IsValid() || !body.Indexed()) {
        return false;
    }
    picture = body.palette;
    return true;
}

template <typename Channel>
bool CImageT<Channel>::GetPaletteColor(std::uint32_t palette, std::uint32_t index,
                                       CClassicImagePixel4& color) const {
    const detail::ImageBody<Channel>& body = *m_body;
    if (!body.Indexed() || palette >= body.palette.palettes.size() ||
        index >= body.palette.palettes[palette].size()) {
        return false;
    }
    color = body.palette.palettes[palette][index];
    return true;
}

template <typename Channel>
bool CImageT<Channel>::SetPaletteColor(std::uint32_t palette, std::uint32_t index,
                                       const CClassicImagePixel4& color) {
    detail::ImageBody<Channel>& body = *m_body;
    if (body.fixed || !body.Indexed() || palette >= body.palette.palettes.size() ||
        index >= body.palette.palettes[palette].size()) {
        return false;
    }
    body.palette.palettes[palette][index] = color;
    return true;
}

template <typename Channel>
bool CImageT<Channel>::OperatePalette(FOperateColorBase& operation) {
    detail::ImageBody<Channel>& body = *m_body;
    if (body.fixed || !body.Indexed()) {
        return false;
    }
    // Work on a copy so that an operation failing half-way leaves the palettes as they were.
    std::vector<std::vector<CClassicImagePixel4>> palettes = body.palette.palettes;
    for (std::vector<CClassicImagePixel4>& colors : palettes) {
        for (CClassicImagePixel4& color : colors) {
            const CClassicImagePixel4 in = color;
            if (!operation.Operate(in, color)) {
                return false;
            }
        }
    }
    body.palette.palettes = std::move(palettes);
    return true;
}

template <typename Channel>
bool CImageT<Channel>::ConvertToDirect() {
    detail::ImageBody<Channel>& body = *m_body;
    if (body.fixed || !IsValid() || !body.Indexed()) {
        return false;
    }
    const std::vector<std::uint8_t>& indices = body.palette.indices;
    std::vector<Channel> pixels(indices.size() * 4);
    for (std::size_t i = 0; i < indices.size(); ++i) {
        detail::StoreColor(detail::PaletteLookup(body.palette, indices[i]), &pixels[i * 4]);
    }
    body.pixels = std::move(pixels);
    body.palette = CPaletteImage{};
    return true;
}

#define LUMO_INSTANTIATE_PALETTE_OPS(Channel)                                     \
    template bool CImageT<Channel>::SetIndexedPicture(const CPaletteImage&);      \
    template bool CImageT<Channel>::GetIndexedPicture(CPaletteImage&) const;      \
    template bool CImageT<Channel>::GetPaletteColor(std::uint32_t, std::uint32_t, \
                                                    CClassicImagePixel4&) const;  \
    template bool CImageT<Channel>::SetPaletteColor(std::uint32_t, std::uint32_t, \
                                                    const CClassicImagePixel4&);  \
    template bool CImageT<Channel>::OperatePalette(FOperateColorBase&);           \
    template bool CImageT<Channel>::ConvertToDirect();

LUMO_INSTANTIATE_PALETTE_OPS(float)
LUMO_INSTANTIATE_PALETTE_OPS(std::uint8_t)
#undef LUMO_INSTANTIATE_PALETTE_OPS

}  // namespace lumo
