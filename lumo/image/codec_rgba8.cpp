#include <array>
#include <utility>

#include "lumo/image/codec_common.h"
#include "lumo/io/pixel_format.h"

namespace lumo::codec {
namespace {

// Position inside a stored pixel of its R, G, B and A byte.
using StoredOrder = std::array<std::size_t, 4>;

// Big-endian platforms write the pixel as one 32-bit word, which reverses an RGBA8 pixel and
// turns BGRA8 (a little-endian ARGB word) into A, R, G, B.
StoredOrder OrderOf(const CTextureDesc& desc) {
    if (desc.format == kFormatBGRA8) {
        return desc.swapBytes ? StoredOrder{1, 2, 3, 0} : StoredOrder{2, 1, 0, 3};
    }
    return desc.swapBytes ? StoredOrder{3, 2, 1, 0} : StoredOrder{0, 1, 2, 3};
}

}  // namespace

template <typename Channel>
bool DecodeRgba8(const CTextureDesc& desc, const std::uint8_t* data, std::size_t size,
                 CImageT<Channel>& image) {
    if (!HasBytes(size, LevelSize(desc.format, desc.width, desc.height))) {
        return false;
    }
    std::vector<Channel>* values = MakeDirect(image, desc.width, desc.height);
    if (!values) {
        return false;
    }
    const StoredOrder order = OrderOf(desc);
    Channel* target = values->data();
    for (std::size_t i = 0; i < values->size(); i += 4, data += 4) {
        for (std::size_t c = 0; c < 4; ++c) {
            target[i + c] = FromByte<Channel>(data[order[c]]);
        }
    }
    return true;
}

template <typename Channel>
bool EncodeRgba8(const CTextureDesc& desc, const CImageT<Channel>& image,
                 std::vector<std::uint8_t>& out) {
    const std::vector<Channel>& values = image.Pixels();
    std::vector<std::uint8_t> stored(values.size());
    const StoredOrder order = OrderOf(desc);
    for (std::size_t i = 0; i < values.size(); i += 4) {
        for (std::size_t c = 0; c < 4; ++c) {
            stored[i + order[c]] = ToByte(values[i + c]);
        }
    }
    out = std::move(stored);
    return true;
}

template bool DecodeRgba8<float>(const CTextureDesc&, const std::uint8_t*, std::size_t,
                                 CImageT<float>&);
template bool DecodeRgba8<std::uint8_t>(const CTextureDesc&, const std::uint8_t*, std::size_t,
                                        CImageT<std::uint8_t>&);
template bool EncodeRgba8<float>(const CTextureDesc&, const CImageT<float>&,
                                 std::vector<std::uint8_t>&);
template bool EncodeRgba8<std::uint8_t>(const CTextureDesc&, const CImageT<std::uint8_t>&,
                                        std::vector<std::uint8_t>&);

}  // namespace lumo::codec
