#pragma once

#include <cstdint>

namespace lumo {

// Decodes one DXT block into 4 x 4 pixels of R, G, B, A, with libsquish's own arithmetic, so
// that a build without libsquish decodes every block to the same bytes as one with it.
// format: 6 (DXT1), 7 (DXT3) or 8 (DXT5).
void DecodeDxtBlock(const std::uint8_t* block, std::uint32_t format, std::uint8_t* rgba);

}  // namespace lumo
