#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace kaocg_demo {

// Pixel formats of the stand-in's stock slots: the game's tools are free to compress, and
// the editor must decode all of them.
enum class SlotFormat { kBgra8, kDxt1, kDxt5 };

// A fixed spread over the slots so that every decoder runs on every archive: a few
// uncompressed slots, DXT1 on every other slot, DXT5 on the rest.
SlotFormat StockSlotFormat(std::uint32_t slot);

// Bytes of the 8-byte texture record and the 12-byte extended header in front of the pixels
// of a slot as the game writes it: 28-byte file header, 4-byte offset table, record, extended
// header.
constexpr std::uint32_t kSlotHeaderBytes = 56;

// The one-texture G1T file of a slot as the game writes it: little-endian, one level, with
// the extended texture header. rgba holds side x side pixels, four bytes R, G, B, A each; DXT
// blocks are made with libsquish's range fit, which is fast and good enough for test faces.
// Returns false (with a message in error) when the container refuses the texture.
bool BuildSlotTexture(std::span<const std::uint8_t> rgba, std::uint32_t side, SlotFormat format,
                      std::vector<std::uint8_t>& out, std::string& error);

// The slot texture of a transparent black picture. The blocks are written directly: DXT1
// blocks in three-colour mode with every pixel transparent, DXT5 blocks of zeros (both alpha
// ends 0, both colours black), which leave the compressed slots mostly holes on disk.
bool BuildBlankSlotTexture(std::uint32_t side, SlotFormat format, std::vector<std::uint8_t>& out,
                           std::string& error);

}  // namespace kaocg_demo
