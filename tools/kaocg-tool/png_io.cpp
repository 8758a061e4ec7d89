#include "tools/kaocg-tool/png_io.h"

#include <stb_image.h>
#include <stb_image_write.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>

#include "tools/kaocg-tool/file_io.h"
#include "tools/kaocg-tool/tool_error.h"

namespace kaocg_tool {
namespace {

constexpr std::array<std::uint8_t, 8> kPngSignature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
constexpr int kRgba = 4;
// A few bytes of PNG can claim a picture of gigabytes; larger ones are refused before any
// pixel is allocated.
constexpr std::uint64_t kMaxDecodedBytes = std::uint64_t{256} << 20;

struct StbFree {
    void operator()(stbi_uc* pixels) const { stbi_image_free(pixels); }
};

bool HasPngSignature(const std::vector<std::uint8_t>& bytes) {
    return bytes.size() >= kPngSignature.size() &&
           std::equal(kPngSignature.begin(), kPngSignature.end(), bytes.begin());
}

void AppendBytes(void* context, void* data, int size) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(context);
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    out->insert(out->end(), bytes, bytes + size);
}

}  // namespace

RgbaPicture LoadPng(const std::string& path) {
    const std::vector<std::uint8_t> bytes = ReadWholeFile(path);
    if (!HasPngSignature(bytes) || bytes.size() > static_cast<std::size_t>(INT32_MAX)) {
        Fail(path + ": cannot read as PNG: not a PNG file");
    }
    int width = 0;
    int height = 0;
    int channels = 0;
    if (stbi_info_from_memory(bytes.data(), static_cast<int>(bytes.size()), &width, &height,
                              &channels) &&
        std::uint64_t(width) * std::uint64_t(height) * kRgba > kMaxDecodedBytes) {
        Fail(path + ": cannot read as PNG: picture of " + std::to_string(width) + " x " +
             std::to_string(height) + " is too large");
    }
    const std::unique_ptr<stbi_uc, StbFree> pixels(stbi_load_from_memory(
        bytes.data(), static_cast<int>(bytes.size()), &width, &height, &channels, kRgba));
    if (!pixels) {
        Fail(path + ": cannot read as PNG: " + stbi_failure_reason());
    }
    RgbaPicture picture;
    picture.width = static_cast<std::uint32_t>(width);
    picture.height = static_cast<std::uint32_t>(height);
    const std::size_t size = std::size_t{picture.width} * picture.height * kRgba;
    picture.rgba.assign(pixels.get(), pixels.get() + size);
    return picture;
}

void SavePng(const std::string& path, const RgbaPicture& picture) {
    const std::size_t rowBytes = std::size_t{picture.width} * kRgba;
    if (picture.width == 0 || picture.height == 0 ||
        picture.rgba.size() != rowBytes * picture.height) {
        Fail(path + ": no picture to write");
    }
    // The writer counts rows and their bytes in int.
    if (picture.width > INT32_MAX / kRgba || picture.height > INT32_MAX ||
        rowBytes * picture.height > static_cast<std::size_t>(INT32_MAX)) {
        Fail(path + ": picture of " + std::to_string(picture.width) + " x " +
             std::to_string(picture.height) + " is too large for PNG output");
    }
    std::vector<std::uint8_t> encoded;
    if (!stbi_write_png_to_func(&AppendBytes, &encoded, static_cast<int>(picture.width),
                                static_cast<int>(picture.height), kRgba, picture.rgba.data(),
                                static_cast<int>(rowBytes)) ||
        encoded.empty()) {
        Fail(path + ": cannot encode PNG");
    }
    WriteFileAtomically(path, encoded);
}

}  // namespace kaocg_tool
