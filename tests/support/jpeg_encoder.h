#pragma once

// A small baseline JPEG encoder for tests and benchmarks: it makes the pictures the decoder is
// checked with. Sequential DCT, Huffman tables optimised for each picture, 8-bit samples.

#include <string>
#include <vector>

#include "support/jpeg_encoder_blocks.h"
#include "support/jpeg_encoder_entropy.h"

namespace testsupport::jpeg {
namespace detail {

inline void PutWord(Bytes& out, int value) {
    out.push_back(static_cast<std::uint8_t>(value >> 8));
    out.push_back(static_cast<std::uint8_t>(value));
}

// A marker and its segment; the length counts itself.
inline void PutSegment(Bytes& out, int marker, const Bytes& body) {
    out.push_back(0xFF);
    out.push_back(static_cast<std::uint8_t>(marker));
    PutWord(out, static_cast<int>(body.size()) + 2);
    out.insert(out.end(), body.begin(), body.end());
}

struct Layout {
    int componentCount = 3;
    std::array<int, 3> h{1, 1, 1};
    std::array<int, 3> v{1, 1, 1};
    int mcuColumns = 0;
    int mcuRows = 0;
    int blocksPerMcu = 0;
};

inline Layout MakeLayout(const RawPicture& picture, const EncodeOptions& options) {
    Layout layout;
    layout.componentCount = options.components;
    const bool interleaved = options.components > 1;
    layout.h[0] = interleaved ? options.lumaH : 1;
    layout.v[0] = interleaved ? options.lumaV : 1;
    const int across = 8 * layout.h[0];
    const int down = 8 * layout.v[0];
    layout.mcuColumns = (picture.width + across - 1) / across;
    layout.mcuRows = (picture.height + down - 1) / down;
    for (int c = 0; c < layout.componentCount; ++c) {
        layout.blocksPerMcu += layout.h[c] * layout.v[c];
    }
    return layout;
}

inline std::vector<CodedBlock> MakeBlocks(const RawPicture& picture, const Layout& layout,
                                          const std::array<std::array<int, 64>, 2>& tables) {
    std::vector<Plane> planes;
    for (int c = 0; c < layout.componentCount; ++c) {
        planes.push_back(MakePlane(picture, c, layout.h[c], layout.v[c], layout.h[0], layout.v[0],
                                   layout.mcuColumns * layout.h[c], layout.mcuRows * layout.v[c]));
    }
    std::vector<CodedBlock> blocks;
    for (int my = 0; my < layout.mcuRows; ++my) {
        for (int mx = 0; mx < layout.mcuColumns; ++mx) {
            for (int c = 0; c < layout.componentCount; ++c) {
                for (int by = 0; by < layout.v[c]; ++by) {
                    for (int bx = 0; bx < layout.h[c]; ++bx) {
                        blocks.push_back(
                            {c, QuantisedBlock(planes[c], mx * layout.h[c] + bx,
                                               my * layout.v[c] + by, tables[c == 0 ? 0 : 1])});
                    }
                }
            }
        }
    }
    return blocks;
}

inline void PutApplicationSegments(Bytes& out, const EncodeOptions& options) {
    if (options.jfif) {
        PutSegment(out, 0xE0, {'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0});
    }
    if (options.jfxx) {
        PutSegment(out, 0xE0, {'J', 'F', 'X', 'X', 0, 0x10});
    }
    if (!options.comment.empty()) {
        PutSegment(out, 0xFE, Bytes(options.comment.begin(), options.comment.end()));
    }
}

inline void PutQuantisation(Bytes& out, const std::array<std::array<int, 64>, 2>& tables,
                            int count) {
    Bytes body;
    for (int t = 0; t < count; ++t) {
        body.push_back(static_cast<std::uint8_t>(t));
        for (int k = 0; k < 64; ++k) {
            body.push_back(static_cast<std::uint8_t>(tables[t][kZigZag[k]]));
        }
    }
    PutSegment(out, 0xDB, body);
}

inline void PutFrame(Bytes& out, const RawPicture& picture, const EncodeOptions& options,
                     const Layout& layout) {
    Bytes body{8};
    PutWord(body, picture.height);
    PutWord(body, picture.width);
    body.push_back(static_cast<std::uint8_t>(layout.componentCount));
    for (int c = 0; c < layout.componentCount; ++c) {
        // A grey picture's factors are written as asked; its scan is not interleaved anyway.
        const int h = c == 0 ? options.lumaH : 1;
        const int v = c == 0 ? options.lumaV : 1;
        body.insert(body.end(),
                    {static_cast<std::uint8_t>(c + 1), static_cast<std::uint8_t>(h << 4 | v),
                     static_cast<std::uint8_t>(c == 0 ? 0 : 1)});
    }
    PutSegment(out, 0xC0, body);
}

inline TableSet PutHuffmanTables(Bytes& out, const FrequencySet& frequency) {
    TableSet tables;
    Bytes body;
    for (int tableClass = 0; tableClass < 2; ++tableClass) {
        for (int destination = 0; destination < 4; ++destination) {
            const auto& counts = frequency[tableClass][destination];
            if (std::all_of(counts.begin(), counts.end(), [](auto n) { return n == 0; })) {
                continue;
            }
            HuffmanCode& table = tables[tableClass][destination];
            table = BuildHuffmanCode(counts);
            body.push_back(static_cast<std::uint8_t>(tableClass << 4 | destination));
            body.insert(body.end(), table.counts.begin(), table.counts.end());
            body.insert(body.end(), table.symbols.begin(), table.symbols.end());
        }
    }
    PutSegment(out, 0xC4, body);
    return tables;
}

inline void PutScanHeader(Bytes& out, const EncodeOptions& options, const Layout& layout) {
    if (options.restartInterval > 0) {
        Bytes interval;
        PutWord(interval, options.restartInterval);
        PutSegment(out, 0xDD, interval);
    }
    Bytes body{static_cast<std::uint8_t>(layout.componentCount)};
    for (int c = 0; c < layout.componentCount; ++c) {
        body.push_back(static_cast<std::uint8_t>(c + 1));
        body.push_back(static_cast<std::uint8_t>(options.dcTable[c] << 4 | options.acTable[c]));
    }
    body.insert(body.end(), {0, 63, 0});
    PutSegment(out, 0xDA, body);
}

}  // namespace detail

// The JPEG file of a picture (RGB or grey samples).
inline std::vector<std::uint8_t> Encode(const RawPicture& picture,
                                        const EncodeOptions& options = {}) {
    using namespace detail;
    const Layout layout = MakeLayout(picture, options);
    const std::array<std::array<int, 64>, 2> quantisation = {
        ScaledQuantisation(kLumaQuantisation, options.quality),
        ScaledQuantisation(kChromaQuantisation, options.quality)};
    const std::vector<CodedBlock> blocks = MakeBlocks(picture, layout, quantisation);
    CountingSink counting;
    CodeBlocks(blocks, layout.blocksPerMcu, options, counting);

    Bytes out{0xFF, 0xD8};
    PutApplicationSegments(out, options);
    PutQuantisation(out, quantisation, layout.componentCount == 1 ? 1 : 2);
    PutFrame(out, picture, options, layout);
    const TableSet tables = PutHuffmanTables(out, counting.frequency);
    PutScanHeader(out, options, layout);
    WritingSink writing{out, BitWriter(out), tables};
    CodeBlocks(blocks, layout.blocksPerMcu, options, writing);
    writing.bits.Flush();
    out.insert(out.end(), {0xFF, 0xD9});
    return out;
}

}  // namespace testsupport::jpeg
