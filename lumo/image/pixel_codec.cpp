#include "lumo/image/pixel_codec.h"

#include <array>
#include <initializer_list>
#include <utility>

#include "lumo/image/codec_common.h"
#include "lumo/io/pixel_format.h"

namespace lumo {
namespace {

using codec::CodecEntry;
using CodecRow = std::array<CodecEntry, kFormatCodeCount>;

// A row of the codec table: the fallback everywhere except at the codes listed.
constexpr CodecRow MakeRow(std::initializer_list<std::pair<std::uint32_t, CodecEntry>> codecs) {
    CodecRow row{};
    row.fill(codec::kFallbackCodec);
    for (const auto& [format, entry] : codecs) {
        row[format] = entry;
    }
    return row;
}

enum CodecRowIndex : std::size_t { kRowDesktop, kRowPlatform3, kRowPlatform4, kRowCount };

constexpr std::array<CodecRow, kRowCount> kCodecTable{{
    // Platforms 0, 1 and 2: the linear formats and DXT; the big-endian ones differ only in the
    // byte-order flag and, for platform 2, in the DXT block bytes.
    MakeRow({{kFormatRGBA8, codec::kRgba8Codec},
             {kFormatBGRA8, codec::kRgba8Codec},
             {kFormatRGBA16F, codec::kHalfCodec},
             {kFormatRGBA32F, codec::kSingleCodec},
             {kFormatDXT1, codec::kDxtCodec},
             {kFormatDXT3, codec::kDxtCodec},
             {kFormatDXT5, codec::kDxtCodec}}),
    // Platform 3 stores only tiled surfaces, whose layout the toolkit does not decode.
    MakeRow({}),
    // Platform 4: RGBA8 and DXT, its blocks with the words in reverse order.
    MakeRow({{kFormatRGBA8, codec::kRgba8Codec},
             {kFormatDXT1, codec::kDxtCodec},
             {kFormatDXT3, codec::kDxtCodec},
             {kFormatDXT5, codec::kDxtCodec}}),
}};

// Platforms and codes outside the table have no codec and take the fallback like any
// unsupported format; the container refuses such textures before they are written.
const CodecEntry& EntryFor(const CTextureDesc& desc) {
    if (desc.format >= kFormatCodeCount || desc.platform > 4) {
        return codec::kFallbackCodec;
    }
    const std::size_t row = desc.platform <= 2   ? kRowDesktop
                            : desc.platform == 3 ? kRowPlatform3
                                                 : kRowPlatform4;
    return kCodecTable[row][desc.format];
}

template <typename Channel>
bool EncodableImage(const CTextureDesc& desc, const CImageT<Channel>& image) {
    return image.IsDirect() && image.GetWidth() == desc.width && image.GetHeight() == desc.height &&
           image.Pixels().size() == std::uint64_t{desc.width} * desc.height * 4;
}

}  // namespace

bool HasPixelCodec(std::uint32_t format, std::uint32_t platform) {
    CTextureDesc desc;
    desc.format = format;
    desc.platform = platform;
    return EntryFor(desc).encodeFloat != codec::kFallbackCodec.encodeFloat;
}

bool DecodePixels(const CTextureDesc& desc, const std::uint8_t* data, std::size_t size,
                  CImage& image) {
    if (!codec::SurfaceSizeAllowed(desc.width, desc.height) || (!data && size != 0)) {
        return false;
    }
    return EntryFor(desc).decodeFloat(desc, data, size, image);
}

bool DecodePixels(const CTextureDesc& desc, const std::uint8_t* data, std::size_t size,
                  CClassicImage& image) {
    if (!codec::SurfaceSizeAllowed(desc.width, desc.height) || (!data && size != 0)) {
        return false;
    }
    return EntryFor(desc).decodeByte(desc, data, size, image);
}

bool EncodePixels(const CTextureDesc& desc, const CImage& image, std::vector<std::uint8_t>& out) {
    if (!codec::SurfaceSizeAllowed(desc.width, desc.height) || !EncodableImage(desc, image)) {
        return false;
    }
    return EntryFor(desc).encodeFloat(desc, image, out);
}

bool EncodePixels(const CTextureDesc& desc, const CClassicImage& image,
                  std::vector<std::uint8_t>& out) {
    if (!codec::SurfaceSizeAllowed(desc.width, desc.height) || !EncodableImage(desc, image)) {
        return false;
    }
    return EntryFor(desc).encodeByte(desc, image, out);
}

}  // namespace lumo
