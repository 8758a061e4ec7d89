#include "lumo/image/image.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "lumo/image/image_body.h"
#include "lumo/io/text_writer.h"

namespace lumo {

template <typename Channel>
CImageT<Channel>::CImageT() : m_body(std::make_unique<detail::ImageBody<Channel>>()) {}

template <typename Channel>
CImageT<Channel>::~CImageT() = default;

template <typename Channel>
bool CImageT<Channel>::IsFixed() const {
    return m_body->fixed;
}

template <typename Channel>
bool CImageT<Channel>::Create(std::uint32_t width, std::uint32_t height, std::uint32_t kind) {
    if (m_body->fixed || !detail::SizeAllowed(width, height)) {
        return false;
    }
    Clear();
    m_body->width = width;
    m_body->height = height;
    const std::size_t count = m_body->PixelCount();
    switch (kind) {
        case kCreateEmpty:
            return true;
        case kCreateDirect:
            m_body->pixels.assign(count * 4, Channel{});
            return true;
        case kCreateIndexed256:
        case kCreateIndexed16: {
            const std::uint32_t colors = kind == kCreateIndexed256 ? 256 : 16;
            CPaletteImage& palette = m_body->palette;
            palette.indices.assign(count, 0);
            palette.palettes.assign(1, std::vector<CClassicImagePixel4>(colors));
            palette.width = width;
            palette.height = height;
            palette.colorCount = colors;
            return true;
        }
        default:
            // The image stays cleared with the new size, as callers of the old interface expect.
            return false;
    }
}

template <typename Channel>
bool CImageT<Channel>::IsValid() const {
    return m_body->width > 0 && m_body->height > 0;
}

template <typename Channel>
std::uint32_t CImageT<Channel>::GetWidth() const {
    return m_body->width;
}

template <typename Channel>
std::uint32_t CImageT<Channel>::GetHeight() const {
    return m_body->height;
}

template <typename Channel>
bool CImageT<Channel>::IsDirect() const {
    return m_body->Direct();
}

template <typename Channel>
bool CImageT<Channel>::IsIndexed() const {
    return m_body->Indexed();
}

template <typename Channel>
const std::wstring& CImageT<Channel>::GetName() const {
    return m_body->name;
}

template <typename Channel>
std::uint32_t CImageT<Channel>::GetPaletteCount() const {
    if (m_body->Direct()) {
        return 0;
    }
    return static_cast<std::uint32_t>(m_body->palette.palettes.size());
}

template <typename Channel>
bool CImageT<Channel>::SetName(const std::wstring& name) {
    if (m_body->fixed) {
        return false;
    }
    m_body->name = name;
    return true;
}

template <typename Channel>
bool CImageT<Channel>::SetFixed(bool fixed) {
    m_body->fixed = fixed;
    return true;
}

template <typename Channel>
bool CImageT<Channel>::Clear() {
    m_body->width = 0;
    m_body->height = 0;
    std::vector<Channel>().swap(m_body->pixels);  // give the memory back, not just the size
    m_body->palette = CPaletteImage{};
    return true;
}

template <typename Channel>
std::uint32_t CImageT<Channel>::GetTag() const {
    return m_body->tag;
}

template <typename Channel>
bool CImageT<Channel>::ApplyGamma(float exponent) {
    if (m_body->fixed || !IsValid()) {
        return false;
    }
    using Traits = detail::ChannelTraits<Channel>;
    std::vector<Channel>& pixels = m_body->pixels;
    for (std::size_t i = 0; i + 3 < pixels.size(); i += 4) {
        for (std::size_t c = 0; c < 3; ++c) {  // alpha is not a colour
            const float value = std::pow(Traits::ToFloat(pixels[i + c]), exponent);
            pixels[i + c] = Traits::FromFloat(value);
        }
    }
    if (pixels.empty()) {
        const double g = exponent;
        auto remap = [g](std::uint8_t& b) {
            b = FloatToByte(static_cast<float>(std::pow(b / 255.0, g)));
        };
        for (std::vector<CClassicImagePixel4>& colors : m_body->palette.palettes) {
            for (CClassicImagePixel4& color : colors) {
                remap(color.r);
                remap(color.g);
                remap(color.b);
            }
        }
    }
    m_body->gamma = exponent;
    return true;
}

template <typename Channel>
float CImageT<Channel>::GetGamma() const {
    return m_body->gamma;
}

template <typename Channel>
bool CImageT<Channel>::SetGammaValue(float gamma) {
    m_body->gamma = gamma;
    return true;
}

template <typename Channel>
bool CImageT<Channel>::Dump() const {
    if (m_body->fixed) {
        DebugPrint(std::wstring_view(L"[fixed]"));
    }
    const std::size_t dataSize = m_body->pixels.size();
    char rest[160];
    std::snprintf(rest, sizeof rest,
                  ",\t\tWidth = %d, Height = %d,\tGamma = %.2f,\tdatasize = 0x%08x(%d)\n",
                  static_cast<int>(m_body->width), static_cast<int>(m_body->height),
                  static_cast<double>(m_body->gamma), static_cast<unsigned>(dataSize),
                  static_cast<int>(dataSize));
    // The name goes in unformatted so that no length or character of it can upset printf.
    std::wstring line = L"Image name = " + m_body->name;
    for (const char* p = rest; *p != '\0'; ++p) {
        line.push_back(static_cast<wchar_t>(static_cast<unsigned char>(*p)));
    }
    DebugPrint(std::wstring_view(line));
    return true;
}

template <typename Channel>
bool CImageT<Channel>::SetTag(std::uint32_t tag) {
    if (m_body->fixed) {
        return false;
    }
    m_body->tag = tag;
    return true;
}

template <typename Channel>
bool CImageT<Channel>::SetAddressMode(std::uint32_t mode) {
    if (mode != kAddressWrap && mode != kAddressClamp) {
        return false;
    }
    m_body->addressMode = mode;
    return true;
}

template <typename Channel>
std::uint32_t CImageT<Channel>::GetAddressMode() const {
    return m_body->addressMode;
}

template <typename Channel>
std::vector<Channel>& CImageT<Channel>::Pixels() {
    return m_body->pixels;
}

template <typename Channel>
const std::vector<Channel>& CImageT<Channel>::Pixels() const {
    return m_body->pixels;
}

template class CImageT<float>;
template class CImageT<std::uint8_t>;

}  // namespace lumo
