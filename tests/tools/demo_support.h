#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/demo/face_painter.h"

namespace kaocg_tool_test {

// RGBA bytes of a side x side picture.
using Rgba = std::vector<std::uint8_t>;

// Reads the number off a face's plate the way a person would: each glyph cell is dark or
// light, and the digit is the glyph with exactly that pattern. "?" marks a digit that matches
// no glyph.
std::string ReadFaceNumber(const Rgba& rgba, std::uint32_t side,
                           const kaocg_demo::NumberLabel& label);

// Decodes the first texture of a G1T file into RGBA bytes; empty when it does not parse.
Rgba DecodeSlot(const std::string& bytes, std::uint32_t& side);

}  // namespace kaocg_tool_test
