#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <variant>

#include "picture/dib.h"
#include "picture/jpeg_decoder.h"
#include "picture/picture_error.h"

namespace picture {

// The picture a JPEG file gives the load-image dialog, or the message to show instead.
using JpegReadResult = std::variant<CDIB, PictureError>;

// Decodes a whole JPEG file into a 24-bit bottom-up picture whose width is rounded up to a
// multiple of 4 pixels; the added columns are black. `path` only goes into the messages:
//   411 the headers cannot be read, 412 the picture cannot be decoded; either is marked as a
//   file of another kind when the decoder refused a sound JPEG it does not handle. A file
//   whose data ends early still gives its picture, grey where the data is missing, and sets
//   `endedEarly` when given.
JpegReadResult ReadJpegForDialog(std::span<const std::uint8_t> file, std::wstring_view path,
                                 bool* endedEarly = nullptr);

// The same picture from the planes of a decoder whose Decode succeeded; nothing when its
// buffer cannot be had.
std::optional<CDIB> DibFromPlanes(const JpegDecoder& decoder);

}  // namespace picture
