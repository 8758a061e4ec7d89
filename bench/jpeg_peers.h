#pragma once

// The well-known JPEG decoders the editor's decoder is measured against, and the encoder that
// makes the benchmark's photos. Linked into the benchmark programs only.
#include <cstdint>
#include <vector>

namespace bench {

// Interleaved R, G, B samples, top row first.
struct RgbPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> samples;
};

enum class Subsampling { k420, k444 };

// Baseline JPEG with the standard Huffman tables, as the library's command-line encoder writes
// it at this quality. Empty on failure.
std::vector<std::uint8_t> EncodeWithLibjpeg(const RgbPicture& picture, int quality,
                                            Subsampling subsampling);

// Decodes into a 24-bit B, G, R picture, bottom row first, rows padded to four bytes: the
// layout the editor's load dialog makes. The library's default (integer) inverse DCT.
bool DecodeWithLibjpeg(const std::vector<std::uint8_t>& file, std::vector<std::uint8_t>& out);

// Decodes into R, G, B samples, its only layout. True on success.
bool DecodeWithStbImage(const std::vector<std::uint8_t>& file);

}  // namespace bench
