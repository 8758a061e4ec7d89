#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kaocg_tool {

// A picture as four bytes R, G, B, A per pixel, not premultiplied, row-major, top row first:
// the layout of lumo's channel mask 15.
struct RgbaPicture {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::vector<std::uint8_t> rgba;
};

// Throw ToolError on failure. Only PNG is read and written, whatever the file name says.
RgbaPicture LoadPng(const std::string& path);
void SavePng(const std::string& path, const RgbaPicture& picture);

}  // namespace kaocg_tool
