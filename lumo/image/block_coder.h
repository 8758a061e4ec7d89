#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace lumo {

// DXT block coding through libsquish, the only place it is called. Blocks are numbered row
// of blocks by row of blocks, left to right. Sides that are not multiples of 4 are padded by
// repeating the last column and row; decoding crops the padding again.
// rgba: width x height pixels of 4 bytes R, G, B, A. format: 6 (DXT1), 7 (DXT3) or 8 (DXT5).
bool CompressBlocks(const std::uint8_t* rgba, std::uint32_t width, std::uint32_t height,
                    std::uint32_t format, std::vector<std::uint8_t>& blocks);
bool DecompressBlocks(const std::uint8_t* blocks, std::size_t size, std::uint32_t width,
                      std::uint32_t height, std::uint32_t format, std::vector<std::uint8_t>& rgba);
// Bytes of the blocks of a width x height surface (sides rounded up to multiples of 4).
std::uint64_t BlockBytes(std::uint32_t width, std::uint32_t height, std::uint32_t format);

// The surface byte-swap step of big-endian consoles. Bits 6..7 of the surface code choose the
// mode: 0 none, 1 the bytes of every 16-bit unit exchanged, 2 the bytes of every 32-bit unit
// reversed, 3 the 16-bit halves of every 32-bit unit exchanged. Each mode is its own inverse.
void SurfaceByteSwap(std::uint8_t* data, std::size_t size, std::uint32_t surfaceCode);

}  // namespace lumo
