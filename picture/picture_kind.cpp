#include "picture/picture_kind.h"

#include <algorithm>
#include <array>

namespace picture {
namespace {

bool StartsWith(std::span<const std::uint8_t> file, std::string_view magic,
                std::size_t offset = 0) {
    return file.size() >= offset + magic.size() &&
           std::equal(magic.begin(), magic.end(), file.begin() + offset,
                      [](char m, std::uint8_t b) { return static_cast<std::uint8_t>(m) == b; });
}

// An ISO media file whose brand names a HEIF picture (HEVC or AV1 coded).
bool IsHeif(std::span<const std::uint8_t> file) {
    if (!StartsWith(file, "ftyp", 4)) {
        return false;
    }
    static constexpr std::array<std::string_view, 10> kBrands = {
        "heic", "heix", "hevc", "hevx", "heim", "heis", "mif1", "msf1", "avif", "avis"};
    return std::any_of(kBrands.begin(), kBrands.end(),
                       [&](std::string_view brand) { return StartsWith(file, brand, 8); });
}

struct KindRow {
    PictureKind kind;
    std::string_view name;
    std::array<std::string_view, 4> extensions;
    std::size_t extensionCount;
};

constexpr std::array<KindRow, 7> kKinds{{
    {PictureKind::kBmp, "BMP", {"bmp", "dib"}, 2},
    {PictureKind::kJpeg, "JPEG", {"jpg", "jpeg", "jpe", "jfif"}, 4},
    {PictureKind::kPng, "PNG", {"png"}, 1},
    {PictureKind::kGif, "GIF", {"gif"}, 1},
    {PictureKind::kWebp, "WebP", {"webp"}, 1},
    {PictureKind::kTiff, "TIFF", {"tif", "tiff"}, 2},
    {PictureKind::kHeif, "HEIF", {"heic", "heif", "hif", "avif"}, 4},
}};

const KindRow* RowOf(PictureKind kind) {
    const auto it = std::find_if(kKinds.begin(), kKinds.end(),
                                 [kind](const KindRow& row) { return row.kind == kind; });
    return it == kKinds.end() ? nullptr : &*it;
}

}  // namespace

PictureKind KindOfContent(std::span<const std::uint8_t> file) {
    if (StartsWith(file, "BM")) {
        return PictureKind::kBmp;
    }
    if (StartsWith(file, "\xFF\xD8")) {
        return PictureKind::kJpeg;
    }
    if (StartsWith(file, "\x89PNG\r\n\x1A\n")) {
        return PictureKind::kPng;
    }
    if (StartsWith(file, "GIF87a") || StartsWith(file, "GIF89a")) {
        return PictureKind::kGif;
    }
    if (StartsWith(file, "RIFF") && StartsWith(file, "WEBP", 8)) {
        return PictureKind::kWebp;
    }
    if (StartsWith(file, std::string_view("II*\0", 4)) ||
        StartsWith(file, std::string_view("MM\0*", 4))) {
        return PictureKind::kTiff;
    }
    if (IsHeif(file)) {
        return PictureKind::kHeif;
    }
    return PictureKind::kUnknown;
}

std::string_view KindName(PictureKind kind) {
    const KindRow* row = RowOf(kind);
    return row == nullptr ? "unknown" : row->name;
}

std::span<const std::string_view> KindExtensions(PictureKind kind) {
    const KindRow* row = RowOf(kind);
    if (row == nullptr) {
        return {};
    }
    return {row->extensions.data(), row->extensionCount};
}

}  // namespace picture
