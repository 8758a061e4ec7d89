// Channel transfers of the images: byte buffers in and out, single pixels, copies and flips.

#include <algorithm>
#include <bit>
#include <cstdint>
#include <vector>

#include "lumo/image/image.h"
#include "lumo/image/image_body.h"

namespace lumo {
namespace {

// Maps a coordinate outside 0..size-1 back into it; size is never 0 here.
std::uint32_t Address(std::int64_t coordinate, std::uint32_t size, std::uint32_t mode) {
    const std::int64_t n = size;
    if (mode == kAddressClamp) {
        return static_cast<std::uint32_t>(std::clamp<std::int64_t>(coordinate, 0, n - 1));
    }
    return static_cast<std::uint32_t>(((coordinate % n) + n) % n);
}

// Calls emit(value, channel) for the channels of one pixel that the mask selects, R, G, B, A.
template <typename Value, typename Emit>
void ForMaskedChannels(const Value* pixel, std::uint32_t mask, Emit emit) {
    for (std::uint32_t c = 0; c < 4; ++c) {
        if (mask & (1u << c)) {
            emit(pixel[c]);
        }
    }
}

}  // namespace

template <typename Channel>
bool CImageT<Channel>::ImportChannels(const std::vector<std::uint8_t>& bytes, std::uint32_t mask) {
    detail::ImageBody<Channel>& body = *m_body;
    if (body.fixed || !IsValid() || bytes.empty()) {
        return false;
    }
    mask &= kChannelRGBA;
    const std::uint64_t perPixel = static_cast<std::uint64_t>(std::popcount(mask));
    if (std::uint64_t{body.width} * body.height * perPixel != bytes.size()) {
        return false;
    }
    if (body.pixels.size() != body.PixelCount() * 4) {
        body.pixels.assign(body.PixelCount() * 4, Channel{});
        body.palette = CPaletteImage{};
    }
    std::size_t in = 0;
    for (std::size_t i = 0; i < body.pixels.size(); i += 4) {
        for (std::uint32_t c = 0; c < 4; ++c) {
            if (mask & (1u << c)) {
                body.pixels[i + c] = detail::ChannelTraits<Channel>::FromByte(bytes[in++]);
            }
        }
    }
    return true;
}

template <typename Channel>
bool CImageT<Channel>::ExportChannels(std::vector<std::uint8_t>& bytes, std::uint32_t mask) const {
    const detail::ImageBody<Channel>& body = *m_body;
    bytes.clear();
    if (!IsValid() || !(body.Direct() || body.Indexed())) {
        return false;  // nothing to export is not a success
    }
    mask &= kChannelRGBA;
    bytes.reserve(body.PixelCount() * static_cast<std::size_t>(std::popcount(mask)));
    auto append = [&bytes](auto value) {
        bytes.push_back(detail::ChannelTraits<decltype(value)>::ToByte(value));
    };
    if (body.Direct()) {
        for (std::size_t i = 0; i + 3 < body.pixels.size(); i += 4) {
            ForMaskedChannels(&body.pixels[i], mask, append);
        }
        return true;
    }
    for (std::uint8_t index : body.palette.indices) {
        const CClassicImagePixel4 color = detail::PaletteLookup(body.palette, index);
        const std::uint8_t rgba[4] = {color.r, color.g, color.b, color.a};
        ForMaskedChannels(rgba, mask, append);
    }
    return true;
}

template <typename Channel>
bool CImageT<Channel>::ExportFloats(std::vector<float>& values) const {
    const detail::ImageBody<Channel>& body = *m_body;
    values.clear();
    if (!IsValid() || !(body.Direct() || body.Indexed())) {
        return false;
    }
    if (body.Direct()) {
        values.reserve(body.pixels.size());
        for (Channel c : body.pixels) {
            values.push_back(detail::ChannelTraits<Channel>::ToFloat(c));
        }
        return true;
    }
    values.resize(body.palette.indices.size() * 4);
    for (std::size_t i = 0; i < body.palette.indices.size(); ++i) {
        const CClassicImagePixel4 color =
            detail::PaletteLookup(body.palette, body.palette.indices[i]);
        detail::StoreColor(color, &values[i * 4]);
    }
    return true;
}

template <typename Channel>
bool CImageT<Channel>::GetPixel(std::int64_t x, std::int64_t y, CImagePixel4& pixel) const {
    const detail::ImageBody<Channel>& body = *m_body;
    if (!IsValid()) {
        return false;
    }
    const std::size_t at = std::size_t{Address(y, body.height, body.addressMode)} * body.width +
                           Address(x, body.width, body.addressMode);
    if (body.Direct() && at * 4 + 3 < body.pixels.size()) {
        using Traits = detail::ChannelTraits<Channel>;
        const Channel* p = &body.pixels[at * 4];
        pixel = {Traits::ToFloat(p[0]), Traits::ToFloat(p[1]), Traits::ToFloat(p[2]),
                 Traits::ToFloat(p[3])};
        return true;
    }
    if (body.Indexed() && at < body.palette.indices.size()) {
        float rgba[4];
        detail::StoreColor(detail::PaletteLookup(body.palette, body.palette.indices[at]), rgba);
        pixel = {rgba[0], rgba[1], rgba[2], rgba[3]};
        return true;
    }
    return false;
}

template <typename Channel>
bool CImageT<Channel>::SetPixel(std::uint32_t x, std::uint32_t y, const CImagePixel4& pixel) {
    detail::ImageBody<Channel>& body = *m_body;
    if (body.fixed || !body.Direct() || x >= body.width || y >= body.height) {
        return false;
    }
    const std::size_t at = (std::size_t{y} * body.width + x) * 4;
    if (at + 3 >= body.pixels.size()) {
        return false;
    }
    using Traits = detail::ChannelTraits<Channel>;
    body.pixels[at + 0] = Traits::FromFloat(pixel.r);
    body.pixels[at + 1] = Traits::FromFloat(pixel.g);
    body.pixels[at + 2] = Traits::FromFloat(pixel.b);
    body.pixels[at + 3] = Traits::FromFloat(pixel.a);
    return true;
}

template <typename Channel>
bool CImageT<Channel>::CopyFrom(const CImageBase& source) {
    if (m_body->fixed || &source == this) {
        return false;
    }
    std::vector<float> values;
    if (!source.ExportFloats(values) ||
        !detail::SizeAllowed(source.GetWidth(), source.GetHeight()) ||
        values.size() != std::size_t{source.GetWidth()} * source.GetHeight() * 4) {
        return false;
    }
    std::vector<Channel> pixels(values.size());
    std::transform(values.begin(), values.end(), pixels.begin(),
                   detail::ChannelTraits<Channel>::FromFloat);
    Clear();
    m_body->width = source.GetWidth();
    m_body->height = source.GetHeight();
    m_body->pixels = std::move(pixels);
    // The gamma describes the pixel values, so it travels with them.
    m_body->gamma = source.GetGamma();
    return true;
}

template <typename Channel>
bool CImageT<Channel>::FlipVertical() {
    detail::ImageBody<Channel>& body = *m_body;
    if (body.fixed || !IsValid()) {
        return false;
    }
    auto flipRows = [&body](auto& data, std::size_t rowLength) {
        if (data.size() != rowLength * body.height) {
            return false;
        }
        for (std::size_t top = 0, bottom = body.height - 1; top < bottom; ++top, --bottom) {
            std::swap_ranges(data.begin() + top * rowLength, data.begin() + (top + 1) * rowLength,
                             data.begin() + bottom * rowLength);
        }
        return true;
    };
    if (body.Direct()) {
        return flipRows(body.pixels, std::size_t{body.width} * 4);
    }
    if (body.Indexed()) {
        return flipRows(body.palette.indices, std::size_t{body.width});
    }
    return false;
}

#define LUMO_INSTANTIATE_CHANNEL_OPS(Channel)                                                    \
    template bool CImageT<Channel>::ImportChannels(const std::vector<std::uint8_t>&,             \
                                                   std::uint32_t);                               \
    template bool CImageT<Channel>::ExportChannels(std::vector<std::uint8_t>&, std::uint32_t)    \
        const;                                                                                   \
    template bool CImageT<Channel>::ExportFloats(std::vector<float>&) const;                     \
    template bool CImageT<Channel>::GetPixel(std::int64_t, std::int64_t, CImagePixel4&) const;   \
    template bool CImageT<Channel>::SetPixel(std::uint32_t, std::uint32_t, const CImagePixel4&); \
    template bool CImageT<Channel>::CopyFrom(const CImageBase&);                                 \
    template bool CImageT<Channel>::FlipVertical();

LUMO_INSTANTIATE_CHANNEL_OPS(float)
LUMO_INSTANTIATE_CHANNEL_OPS(std::uint8_t)
#undef LUMO_INSTANTIATE_CHANNEL_OPS

}  // namespace lumo
