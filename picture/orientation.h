#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "picture/dib.h"

namespace picture {

// The orientation a camera recorded in a JPEG file: the value 1..8 of tag 0x0112 in the first
// image directory of the APP1 "Exif\0\0" segment, in either TIFF byte order. 1 (upright) when
// the file has no such tag or any part of the way to it is damaged or out of range.
int ReadJpegExifOrientation(std::span<const std::uint8_t> file);

// A 24-bit picture as it is meant to be seen when stored with an EXIF orientation (1..8;
// other values are taken as 1): 5..8 swap width and height. The result keeps the row order
// (top-down or bottom-up) of the input. Nothing for other bit counts or when memory is short.
std::optional<CDIB> ApplyOrientation(const CDIB& picture, int orientation);

// A 24-bit picture turned clockwise by a number of quarter turns (negative turns
// anticlockwise), with the same row order. Nothing for other bit counts or short memory.
std::optional<CDIB> RotateQuarterTurns(const CDIB& picture, int quarterTurnsClockwise);

}  // namespace picture
