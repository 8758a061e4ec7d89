// Which library reads which kind in this build: each reader is compiled only when its library
// was found, and says so through a KAOCG_READ_* definition.
#include "picture/library_readers.h"

#include <array>
#include <new>

namespace picture {
namespace library {

bool FitsLimits(std::uint64_t width, std::uint64_t height, std::uint64_t fileBytes) {
    if (width == 0 || height == 0 || width > kMaxPixels || height > kMaxPixels) {
        return false;
    }
    const std::uint64_t pixels = width * height;
    return pixels <= kMaxPixels && pixels / kMaxPixelsPerByte <= fileBytes;
}

Reader ReaderFor(PictureKind kind) {
    switch (kind) {
#if KAOCG_READ_LIBJPEG
        case PictureKind::kJpeg:
            return &ReadJpegWithLibrary;
#endif
#if KAOCG_READ_STB
        case PictureKind::kBmp:
        case PictureKind::kPng:
        case PictureKind::kGif:
            return &ReadWithStb;
#endif
#if KAOCG_READ_WEBP
        case PictureKind::kWebp:
            return &ReadWebp;
#endif
#if KAOCG_READ_TIFF
        case PictureKind::kTiff:
            return &ReadTiff;
#endif
#if KAOCG_READ_HEIF
        case PictureKind::kHeif:
            return &ReadHeif;
#endif
        default:
            return nullptr;
    }
}

namespace {

// (c * a + 127) / 255 without the division: exact for all bytes c and a.
std::uint8_t OverBlack(std::uint32_t colour, std::uint32_t alpha) {
    const std::uint32_t product = colour * alpha + 128;
    return static_cast<std::uint8_t>((product + (product >> 8)) >> 8);
}

}  // namespace

std::optional<CDIB> ToDib(const Decoded& decoded) {
    const std::size_t width = decoded.width;
    const std::size_t height = decoded.height;
    const std::size_t stride = (width * 3 + 3) / 4 * 4;
    std::vector<std::uint8_t> pixels;
    try {
        pixels.assign(stride * height, 0);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    const std::size_t step = static_cast<std::size_t>(decoded.channels);
    for (std::size_t y = 0; y < height; ++y) {
        const std::uint8_t* in = decoded.pixels.data() + y * width * step;
        std::uint8_t* out = pixels.data() + (height - 1 - y) * stride;
        for (std::size_t x = 0; x < width; ++x, in += step, out += 3) {
            const std::uint32_t alpha = step == 4 ? in[3] : 255;
            out[0] = OverBlack(in[2], alpha);
            out[1] = OverBlack(in[1], alpha);
            out[2] = OverBlack(in[0], alpha);
        }
    }
    return CDIB::CreateWithPixels(static_cast<std::int32_t>(width),
                                  -static_cast<std::int32_t>(height), std::move(pixels), 24);
}

}  // namespace library

std::span<const PictureKind> ReadableKinds() {
    static constexpr std::array kKinds = {
        PictureKind::kBmp,
        PictureKind::kJpeg,
#if KAOCG_READ_STB
        PictureKind::kPng,
        PictureKind::kGif,
#endif
#if KAOCG_READ_WEBP
        PictureKind::kWebp,
#endif
#if KAOCG_READ_TIFF
        PictureKind::kTiff,
#endif
#if KAOCG_READ_HEIF
        PictureKind::kHeif,
#endif
    };
    return kKinds;
}

}  // namespace picture
