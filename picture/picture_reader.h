#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <variant>

#include "picture/dib.h"
#include "picture/picture_error.h"
#include "picture/picture_kind.h"

namespace picture {

// A picture file read for the load-image dialog.
struct PictureRead {
    CDIB picture;  // 24 bits, bottom row first
    PictureKind kind = PictureKind::kUnknown;
    // Something to tell the user before the picture is used (its data ends early); the
    // picture itself is still good.
    std::optional<PictureError> warning;
    // True when the reader has already turned the picture the way the file says it is shown
    // (HEIF carries rotation and mirroring of its own, which its library applies). Otherwise
    // an orientation the file records is still to be applied by the caller, once, here.
    bool upright = false;
};

using PictureReadResult = std::variant<PictureRead, PictureError>;

// Reads a whole picture file. The reader is chosen by the file's content, never its name: the
// editor's own BMP reader and JPEG decoder come first for what they read; a BMP or JPEG they
// leave as another kind, and every other kind, goes to the library built in for it.
// Transparent pixels are laid over black. `path` only goes into the messages: the own
// readers' messages, 432 when a library fails on its file, 431 for a file no reader here
// can read. A file whose data ends early gets message 430 as its warning.
PictureReadResult ReadPicture(std::span<const std::uint8_t> file, std::wstring_view path);

}  // namespace picture
