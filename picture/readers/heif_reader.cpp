// HEIF pictures (HEVC-coded as phones write them, and AV1-coded ones where the library has a
// decoder), through libheif. The library applies the file's own rotation and mirroring.
#include <cstring>
#include <memory>
#include <new>

#include <libheif/heif.h>

#include "picture/library_readers.h"

namespace picture::library {
namespace {

struct ContextFree {
    void operator()(heif_context* context) const { heif_context_free(context); }
};
struct HandleRelease {
    void operator()(heif_image_handle* handle) const { heif_image_handle_release(handle); }
};
struct ImageRelease {
    void operator()(heif_image* image) const { heif_image_release(image); }
};

bool CopyRows(const heif_image* image, Decoded& decoded) {
    int stride = 0;
    const std::uint8_t* plane =
        heif_image_get_plane_readonly(image, heif_channel_interleaved, &stride);
    const std::size_t rowBytes = std::size_t{decoded.width} * 4;
    if (plane == nullptr || stride < 0 || static_cast<std::size_t>(stride) < rowBytes ||
        heif_image_get_width(image, heif_channel_interleaved) != static_cast<int>(decoded.width) ||
        heif_image_get_height(image, heif_channel_interleaved) !=
            static_cast<int>(decoded.height)) {
        return false;
    }
    try {
        decoded.pixels.resize(rowBytes * decoded.height);
    } catch (const std::bad_alloc&) {
        return false;
    }
    for (std::size_t y = 0; y < decoded.height; ++y) {
        std::memcpy(decoded.pixels.data() + y * rowBytes, plane + y * std::size_t(stride),
                    rowBytes);
    }
    return true;
}

}  // namespace

std::optional<Decoded> ReadHeif(std::span<const std::uint8_t> file) {
    std::unique_ptr<heif_context, ContextFree> context(heif_context_alloc());
    if (!context) {
        return std::nullopt;
    }
    heif_context_set_maximum_image_size_limit(context.get(), 16384);
    if (heif_context_read_from_memory_without_copy(context.get(), file.data(), file.size(), nullptr)
            .code != heif_error_Ok) {
        return std::nullopt;
    }
    heif_image_handle* rawHandle = nullptr;
    if (heif_context_get_primary_image_handle(context.get(), &rawHandle).code != heif_error_Ok) {
        return std::nullopt;
    }
    std::unique_ptr<heif_image_handle, HandleRelease> handle(rawHandle);
    Decoded decoded;
    // The handle's size is the one after rotation, the size of the decoded picture.
    const int width = heif_image_handle_get_width(handle.get());
    const int height = heif_image_handle_get_height(handle.get());
    if (width <= 0 || height <= 0 ||
        !FitsLimits(static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height),
                    file.size())) {
        return std::nullopt;
    }
    decoded.width = static_cast<std::uint32_t>(width);
    decoded.height = static_cast<std::uint32_t>(height);
    decoded.channels = 4;
    decoded.upright = true;
    heif_image* rawImage = nullptr;
    if (heif_decode_image(handle.get(), &rawImage, heif_colorspace_RGB,
                          heif_chroma_interleaved_RGBA, nullptr)
            .code != heif_error_Ok) {
        return std::nullopt;
    }
    std::unique_ptr<heif_image, ImageRelease> image(rawImage);
    if (!CopyRows(image.get(), decoded)) {
        return std::nullopt;
    }
    return decoded;
}

}  // namespace picture::library
