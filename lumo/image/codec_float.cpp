#include <bit>
#include <utility>

#include "lumo/image/codec_common.h"
#include "lumo/image/half_float.h"
#include "lumo/io/pixel_format.h"

namespace lumo::codec {
namespace {

// The two float layouts differ only in the element: its width and its bit conversion.
struct HalfElement {
    static constexpr std::uint32_t kFormat = kFormatRGBA16F;
    static constexpr std::size_t kBytes = 2;
    static float ToValue(std::uint32_t bits) {
        return HalfToFloat(static_cast<std::uint16_t>(bits));
    }
    static std::uint32_t ToBits(float value) { return FloatToHalf(value); }
};

struct SingleElement {
    static constexpr std::uint32_t kFormat = kFormatRGBA32F;
    static constexpr std::size_t kBytes = 4;
    static float ToValue(std::uint32_t bits) { return std::bit_cast<float>(bits); }
    static std::uint32_t ToBits(float value) { return std::bit_cast<std::uint32_t>(value); }
};

template <std::size_t kBytes>
std::uint32_t LoadElement(const std::uint8_t* p, bool bigEndian) {
    std::uint32_t bits = 0;
    for (std::size_t i = 0; i < kBytes; ++i) {
        const std::size_t shift = 8 * (bigEndian ? kBytes - 1 - i : i);
        bits |= std::uint32_t{p[i]} << shift;
    }
    return bits;
}

template <std::size_t kBytes>
void StoreElement(std::uint32_t bits, std::uint8_t* p, bool bigEndian) {
    for (std::size_t i = 0; i < kBytes; ++i) {
        const std::size_t shift = 8 * (bigEndian ? kBytes - 1 - i : i);
        p[i] = static_cast<std::uint8_t>(bits >> shift);
    }
}

template <typename Element, typename Channel>
bool DecodeFloats(const CTextureDesc& desc, const std::uint8_t* data, std::size_t size,
                  CImageT<Channel>& image) {
    if (!HasBytes(size, LevelSize(Element::kFormat, desc.width, desc.height))) {
        return false;
    }
    std::vector<Channel>* values = MakeDirect(image, desc.width, desc.height);
    if (!values) {
        return false;
    }
    for (Channel& value : *values) {
        const std::uint32_t bits = LoadElement<Element::kBytes>(data, desc.swapBytes);
        value = FromFloat<Channel>(Element::ToValue(bits));
        data += Element::kBytes;
    }
    return true;
}

// Float channels go out as they are, outside 0..1 included: these formats exist to hold them.
template <typename Element, typename Channel>
bool EncodeFloats(const CTextureDesc& desc, const CImageT<Channel>& image,
                  std::vector<std::uint8_t>& out) {
    const std::vector<Channel>& values = image.Pixels();
    std::vector<std::uint8_t> stored(values.size() * Element::kBytes);
    std::uint8_t* p = stored.data();
    for (const Channel value : values) {
        StoreElement<Element::kBytes>(Element::ToBits(ToFloat(value)), p, desc.swapBytes);
        p += Element::kBytes;
    }
    out = std::move(stored);
    return true;
}

}  // namespace

template <typename Channel>
bool DecodeHalf(const CTextureDesc& desc, const std::uint8_t* data, std::size_t size,
                CImageT<Channel>& image) {
    return DecodeFloats<HalfElement>(desc, data, size, image);
}

template <typename Channel>
bool EncodeHalf(const CTextureDesc& desc, const CImageT<Channel>& image,
                std::vector<std::uint8_t>& out) {
    return EncodeFloats<HalfElement>(desc, image, out);
}

template <typename Channel>
bool DecodeSingle(const CTextureDesc& desc, const std::uint8_t* data, std::size_t size,
                  CImageT<Channel>& image) {
    return DecodeFloats<SingleElement>(desc, data, size, image);
}

template <typename Channel>
bool EncodeSingle(const CTextureDesc& desc, const CImageT<Channel>& image,
                  std::vector<std::uint8_t>& out) {
    return EncodeFloats<SingleElement>(desc, image, out);
}

template bool DecodeHalf<float>(const CTextureDesc&, const std::uint8_t*, std::size_t,
                                CImageT<float>&);
template bool DecodeHalf<std::uint8_t>(const CTextureDesc&, const std::uint8_t*, std::size_t,
                                       CImageT<std::uint8_t>&);
template bool EncodeHalf<float>(const CTextureDesc&, const CImageT<float>&,
                                std::vector<std::uint8_t>&);
template bool EncodeHalf<std::uint8_t>(const CTextureDesc&, const CImageT<std::uint8_t>&,
                                       std::vector<std::uint8_t>&);
template bool DecodeSingle<float>(const CTextureDesc&, const std::uint8_t*, std::size_t,
                                  CImageT<float>&);
template bool DecodeSingle<std::uint8_t>(const CTextureDesc&, const std::uint8_t*, std::size_t,
                                         CImageT<std::uint8_t>&);
template bool EncodeSingle<float>(const CTextureDesc&, const CImageT<float>&,
                                  std::vector<std::uint8_t>&);
template bool EncodeSingle<std::uint8_t>(const CTextureDesc&, const CImageT<std::uint8_t>&,
                                         std::vector<std::uint8_t>&);

}  // namespace lumo::codec
