#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <variant>

#include "picture/dib.h"
#include "picture/picture_error.h"
#include "picture/picture_reader.h"

namespace picture {

// Turns a picture just decoded from `file` upright by the file's EXIF orientation, so that
// everything after the reader works in upright coordinates. The readers widen rows to whole
// groups of pixels; before a turn those added columns are cut off, so that they do not become
// black rows or columns at the top or left. A file without orientation (every BMP) leaves the
// picture untouched. False, with the picture unchanged, only when memory is short.
bool TurnUpright(CDIB& picture, std::span<const std::uint8_t> file);

// The same for what a reader gave the load-image dialog: a picture is turned, a message is
// left alone. When memory is short the picture becomes message 412 (the picture cannot be
// decoded) with `path` in front, since a sideways picture would be wrong without a word.
void TurnUpright(std::variant<CDIB, PictureError>& read, std::span<const std::uint8_t> file,
                 std::wstring_view path);

// Reads a whole picture file of any kind (ReadPicture) and turns it upright, once: a reader
// that already applied the file's orientation is trusted with it.
PictureReadResult ReadPictureUpright(std::span<const std::uint8_t> file, std::wstring_view path);

}  // namespace picture
