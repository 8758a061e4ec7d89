#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <variant>

#include "picture/dib.h"
#include "picture/picture_error.h"

namespace picture {

// The picture a BMP file gives the load-image dialog, or the message to show instead.
using BmpReadResult = std::variant<CDIB, PictureError>;

// Turns a whole BMP file into a 24-bit bottom-up picture whose width is rounded up to a
// multiple of 4 pixels (8 for 4-bit, 32 for 1-bit files); the added columns are black.
// Accepts 1-, 4- and 8-bit indexed files and 15-, 16-, 24- and 32-bit direct ones, stored
// uncompressed (16 bits as 5-5-5) or as bit fields through their masks (any contiguous ones;
// a file that ends before them reads as 5-6-5). `path` only goes into the messages:
//   408 compressed file, 409 not a 40-byte header or impossible dimensions, 410 bit count or
//   masks with holes. The first two, and 409 for a header of another size, are marked as
//   files of another kind.
BmpReadResult ReadBmpForDialog(std::span<const std::uint8_t> file, std::wstring_view path);

}  // namespace picture
