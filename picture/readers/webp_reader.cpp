// WebP pictures, still or animated (the first frame), through libwebp and its demuxer.
#include <new>

#include <webp/decode.h>
#include <webp/demux.h>

#include "picture/library_readers.h"

namespace picture::library {
namespace {

bool TakePixels(const std::uint8_t* rgba, Decoded& decoded) {
    try {
        decoded.pixels.assign(rgba, rgba + std::size_t{decoded.width} * decoded.height * 4);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

// An animation's first frame as the library composes it on its canvas.
bool FirstFrame(const WebPData& data, Decoded& decoded) {
    WebPAnimDecoderOptions options;
    if (!WebPAnimDecoderOptionsInit(&options)) {
        return false;
    }
    options.color_mode = MODE_RGBA;
    WebPAnimDecoder* animation = WebPAnimDecoderNew(&data, &options);
    if (animation == nullptr) {
        return false;
    }
    std::uint8_t* frame = nullptr;
    int timestamp = 0;
    const bool ok =
        WebPAnimDecoderGetNext(animation, &frame, &timestamp) && TakePixels(frame, decoded);
    WebPAnimDecoderDelete(animation);
    return ok;
}

}  // namespace

std::optional<Decoded> ReadWebp(std::span<const std::uint8_t> file) {
    WebPBitstreamFeatures features;
    if (WebPGetFeatures(file.data(), file.size(), &features) != VP8_STATUS_OK ||
        !FitsLimits(static_cast<std::uint32_t>(features.width),
                    static_cast<std::uint32_t>(features.height), file.size())) {
        return std::nullopt;
    }
    Decoded decoded;
    decoded.width = static_cast<std::uint32_t>(features.width);
    decoded.height = static_cast<std::uint32_t>(features.height);
    decoded.channels = 4;
    if (features.has_animation) {
        const WebPData data{file.data(), file.size()};
        return FirstFrame(data, decoded) ? std::optional<Decoded>(std::move(decoded))
                                         : std::nullopt;
    }
    int width = 0;
    int height = 0;
    std::uint8_t* rgba = WebPDecodeRGBA(file.data(), file.size(), &width, &height);
    if (rgba == nullptr) {
        return std::nullopt;
    }
    const bool ok =
        width == features.width && height == features.height && TakePixels(rgba, decoded);
    WebPFree(rgba);
    return ok ? std::optional<Decoded>(std::move(decoded)) : std::nullopt;
}

}  // namespace picture::library
