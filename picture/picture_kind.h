#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace picture {

// What a picture file holds, as its first bytes tell.
enum class PictureKind { kUnknown, kBmp, kJpeg, kPng, kGif, kWebp, kTiff, kHeif };

PictureKind KindOfContent(std::span<const std::uint8_t> file);

// The kind's usual name ("BMP", "JPEG", "PNG", ...).
std::string_view KindName(PictureKind kind);

// The kinds this build can read: BMP and JPEG always, the others when their library was
// found at build time. In the order a file dialog lists them.
std::span<const PictureKind> ReadableKinds();

// The file-name extensions a kind is usually saved with, lower case, without the dot.
std::span<const std::string_view> KindExtensions(PictureKind kind);

}  // namespace picture
