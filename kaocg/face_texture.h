#pragma once

#include <cstdint>
#include <span>

#include "picture/bitmap_header.h"
#include "picture/dib.h"

namespace kaocg_func {

// Turns the 24-bit picture of one edit face size into the bytes of an archive slot: a
// little-endian G1T file with one BGRA8 texture of the picture's size. kind is an edit
// archive kind; the picture must be that kind's texture, TextureSide x TextureSide pixels,
// its face in the top-left corner. Outside the face's visible area alpha is 0; the small size
// also gets rounded corners and black outside its 60 x 60 area. Bytes of the slot after the
// G1T file are set to zero. False, with the slot's content undefined, when the picture or
// kind does not fit or the file does not fit the slot.
bool EncodeFaceTexture(const picture::CDIB& picture, int kind, std::span<std::uint8_t> slot);

// Turns the G1T file at the start of a slot into a top-down 32-bit picture (blue, green, red,
// alpha) of the texture's size. Any pixel format the toolkit decodes is accepted; a file with
// more or fewer than one texture is not. The picture changes only on success.
bool DecodeFaceTexture(std::span<const std::uint8_t> slot, picture::CDIB& picture);

// The info header of a decoded face: 2^log2Width wide, 2^log2Height high and top-down (a
// negative height), 32 bits per pixel, uncompressed.
picture::BITMAPINFOHEADER DecodedFaceHeader(std::uint32_t log2Width, std::uint32_t log2Height);

}  // namespace kaocg_func
