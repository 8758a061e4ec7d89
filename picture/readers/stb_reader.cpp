// PNG, GIF (its first frame) and the BMP forms the editor's own reader leaves (OS/2, V4 and
// V5 headers), through stb_image. The decoder is compiled into this file alone, with only
// these formats and reading from memory.
#include <cstring>
#include <new>

#include "picture/library_readers.h"

#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_ONLY_PNG
#define STBI_ONLY_GIF
#define STBI_ONLY_BMP
#define STBI_MAX_DIMENSIONS 65535
#if defined(__clang__)
#pragma clang diagnostic push
#pragma clang diagnostic ignored "-Weverything"
#elif defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wall"
#pragma GCC diagnostic ignored "-Wextra"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wunused-but-set-variable"
#pragma GCC diagnostic ignored "-Wsign-compare"
#endif
#include <stb_image.h>
#if defined(__clang__)
#pragma clang diagnostic pop
#elif defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace picture::library {

std::optional<Decoded> ReadWithStb(std::span<const std::uint8_t> file) {
    if (file.empty() || file.size() > static_cast<std::size_t>(INT32_MAX)) {
        return std::nullopt;
    }
    const auto* bytes = reinterpret_cast<const stbi_uc*>(file.data());
    const int length = static_cast<int>(file.size());
    int width = 0;
    int height = 0;
    int channels = 0;
    // The size is checked before the decoder allocates for it.
    if (stbi_info_from_memory(bytes, length, &width, &height, &channels) == 0 ||
        !FitsLimits(static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height),
                    file.size())) {
        return std::nullopt;
    }
    stbi_uc* rgba = stbi_load_from_memory(bytes, length, &width, &height, &channels, 4);
    if (rgba == nullptr) {
        return std::nullopt;
    }
    Decoded decoded;
    decoded.width = static_cast<std::uint32_t>(width);
    decoded.height = static_cast<std::uint32_t>(height);
    decoded.channels = 4;
    try {
        decoded.pixels.assign(rgba, rgba + std::size_t{decoded.width} * decoded.height * 4);
    } catch (const std::bad_alloc&) {
        stbi_image_free(rgba);
        return std::nullopt;
    }
    stbi_image_free(rgba);
    return decoded;
}

}  // namespace picture::library
