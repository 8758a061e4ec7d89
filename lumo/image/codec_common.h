#pragma once

// Shared pieces of the pixel codecs: the entry type of the codec table, the channel
// conversions between byte and float images, and the codec entries themselves. Every codec
// is a template over the image's channel type so that the float and the byte image share one
// pass over the pixels.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "lumo/image/image.h"
#include "lumo/image/pixel.h"
#include "lumo/image/pixel_codec.h"

namespace lumo::codec {

// Largest surface the codecs accept, in channel values (width x height x 4). A texture header
// is outside data; this keeps a hostile one from asking for gigabytes.
constexpr std::uint64_t kMaxSurfaceValues = std::uint64_t{1} << 30;

inline bool SurfaceSizeAllowed(std::uint32_t width, std::uint32_t height) {
    return std::uint64_t{width} * height * 4 <= kMaxSurfaceValues;
}

inline bool HasBytes(std::size_t size, std::uint64_t needed) {
    return static_cast<std::uint64_t>(size) >= needed;
}

template <typename Channel>
Channel FromByte(std::uint8_t b);
template <>
inline float FromByte<float>(std::uint8_t b) {
    return ByteToFloat(b);
}
template <>
inline std::uint8_t FromByte<std::uint8_t>(std::uint8_t b) {
    return b;
}

template <typename Channel>
Channel FromFloat(float f);
template <>
inline float FromFloat<float>(float f) {
    return f;
}
template <>
inline std::uint8_t FromFloat<std::uint8_t>(float f) {
    return FloatToByte(f);
}

inline std::uint8_t ToByte(float f) {
    return FloatToByte(f);
}
inline std::uint8_t ToByte(std::uint8_t b) {
    return b;
}
inline float ToFloat(float f) {
    return f;
}
inline float ToFloat(std::uint8_t b) {
    return ByteToFloat(b);
}

// Makes image a direct width x height picture of zeros and returns its channel data, or null
// when the image refuses (it is then unchanged).
template <typename Channel>
std::vector<Channel>* MakeDirect(CImageT<Channel>& image, std::uint32_t width,
                                 std::uint32_t height) {
    if (!image.Create(width, height, kCreateDirect)) {
        return nullptr;
    }
    std::vector<Channel>& values = image.Pixels();
    if (values.size() != std::uint64_t{width} * height * 4) {
        return nullptr;
    }
    return &values;
}

template <typename Channel>
using DecodeFn = bool (*)(const CTextureDesc&, const std::uint8_t*, std::size_t, CImageT<Channel>&);
template <typename Channel>
using EncodeFn = bool (*)(const CTextureDesc&, const CImageT<Channel>&, std::vector<std::uint8_t>&);

// One cell of the codec table: the four operations of one format on one platform.
struct CodecEntry {
    DecodeFn<float> decodeFloat;
    DecodeFn<std::uint8_t> decodeByte;
    EncodeFn<float> encodeFloat;
    EncodeFn<std::uint8_t> encodeByte;
};

// The codecs. Decoders check the stored size before reading; encoders get a direct image whose
// size the caller has matched to the description. Each is instantiated for float and byte.

// What a platform does not store, and DXT surfaces under 4 pixels: transparent black on
// decoding, width x height x 4 zero bytes on encoding.
template <typename Channel>
bool DecodeFallback(const CTextureDesc& desc, const std::uint8_t* data, std::size_t size,
                    CImageT<Channel>& image);
template <typename Channel>
bool EncodeFallback(const CTextureDesc& desc, const CImageT<Channel>& image,
                    std::vector<std::uint8_t>& out);
constexpr CodecEntry kFallbackCodec{&DecodeFallback<float>, &DecodeFallback<std::uint8_t>,
                                    &EncodeFallback<float>, &EncodeFallback<std::uint8_t>};

// RGBA8 and BGRA8, one 4-byte pixel each; the byte-order flag chooses the stored order.
template <typename Channel>
bool DecodeRgba8(const CTextureDesc& desc, const std::uint8_t* data, std::size_t size,
                 CImageT<Channel>& image);
template <typename Channel>
bool EncodeRgba8(const CTextureDesc& desc, const CImageT<Channel>& image,
                 std::vector<std::uint8_t>& out);
constexpr CodecEntry kRgba8Codec{&DecodeRgba8<float>, &DecodeRgba8<std::uint8_t>,
                                 &EncodeRgba8<float>, &EncodeRgba8<std::uint8_t>};

// RGBA16F: half floats R, G, B, A; each element big-endian when the byte-order flag is set.
template <typename Channel>
bool DecodeHalf(const CTextureDesc& desc, const std::uint8_t* data, std::size_t size,
                CImageT<Channel>& image);
template <typename Channel>
bool EncodeHalf(const CTextureDesc& desc, const CImageT<Channel>& image,
                std::vector<std::uint8_t>& out);
constexpr CodecEntry kHalfCodec{&DecodeHalf<float>, &DecodeHalf<std::uint8_t>, &EncodeHalf<float>,
                                &EncodeHalf<std::uint8_t>};

// RGBA32F: single floats R, G, B, A, stored like the half floats.
template <typename Channel>
bool DecodeSingle(const CTextureDesc& desc, const std::uint8_t* data, std::size_t size,
                  CImageT<Channel>& image);
template <typename Channel>
bool EncodeSingle(const CTextureDesc& desc, const CImageT<Channel>& image,
                  std::vector<std::uint8_t>& out);
constexpr CodecEntry kSingleCodec{&DecodeSingle<float>, &DecodeSingle<std::uint8_t>,
                                  &EncodeSingle<float>, &EncodeSingle<std::uint8_t>};

// DXT1, DXT3 and DXT5 through the block coder, with the block order of platforms 2 and 4.
template <typename Channel>
bool DecodeDxt(const CTextureDesc& desc, const std::uint8_t* data, std::size_t size,
               CImageT<Channel>& image);
template <typename Channel>
bool EncodeDxt(const CTextureDesc& desc, const CImageT<Channel>& image,
               std::vector<std::uint8_t>& out);
constexpr CodecEntry kDxtCodec{&DecodeDxt<float>, &DecodeDxt<std::uint8_t>, &EncodeDxt<float>,
                               &EncodeDxt<std::uint8_t>};

}  // namespace lumo::codec
