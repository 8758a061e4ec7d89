#include <algorithm>

#include "lumo/image/codec_common.h"

namespace lumo::codec {

// Nothing is read, so the stored size does not matter: a surface the toolkit cannot decode
// still yields a picture of the right size.
template <typename Channel>
bool DecodeFallback(const CTextureDesc& desc, const std::uint8_t*, std::size_t,
                    CImageT<Channel>& image) {
    std::vector<Channel>* values = MakeDirect(image, desc.width, desc.height);
    if (!values) {
        return false;
    }
    std::fill(values->begin(), values->end(), Channel{0});
    return true;
}

template <typename Channel>
bool EncodeFallback(const CTextureDesc& desc, const CImageT<Channel>&,
                    std::vector<std::uint8_t>& out) {
    out.assign(std::uint64_t{desc.width} * desc.height * 4, 0);
    return true;
}

template bool DecodeFallback<float>(const CTextureDesc&, const std::uint8_t*, std::size_t,
                                    CImageT<float>&);
template bool DecodeFallback<std::uint8_t>(const CTextureDesc&, const std::uint8_t*, std::size_t,
                                           CImageT<std::uint8_t>&);
template bool EncodeFallback<float>(const CTextureDesc&, const CImageT<float>&,
                                    std::vector<std::uint8_t>&);
template bool EncodeFallback<std::uint8_t>(const CTextureDesc&, const CImageT<std::uint8_t>&,
                                           std::vector<std::uint8_t>&);

}  // namespace lumo::codec
