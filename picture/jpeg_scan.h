#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "picture/jpeg_colour.h"
#include "picture/jpeg_entropy_reader.h"
#include "picture/jpeg_frame.h"
#include "picture/jpeg_idct.h"

namespace picture::jpeg {

// A replacement for the inverse transform, for checking the fast one: dequantised coefficients
// in natural order in, 64 level-shifted samples in row order out.
using BlockTransform = void (*)(const std::int32_t* coefficients, int levelShift,
                                std::int32_t* samples);

// Decodes the one interleaved scan of a checked frame (or the blocks of a one-component frame,
// one by one) MCU by MCU into a row of MCUs, and converts each finished row of MCUs into the
// target's pixels: long rows keep the colour conversion in its vector loop.
class ScanDecoder {
public:
    ScanDecoder(const Frame& frame, const CodingTables& tables, BlockTransform transform);

    // data points at the first entropy-coded byte. Throws the decoder's errors. True when the
    // data ended before the last MCU: that MCU and all after it are grey.
    bool Decode(const std::uint8_t* data, const std::uint8_t* end, PixelTarget& target);

private:
    struct Component {
        int blocksAcross = 1;  // blocks per MCU
        int blocksDown = 1;
        int unitWidth = 8;               // samples per MCU row
        int rowDivisor = 1;              // pixel rows per sample row
        int columnDivisor = 1;           // pixel columns per sample
        int stride = 8;                  // samples per row of the MCU row
        std::vector<std::int32_t> rows;  // the samples of one row of MCUs
        const std::uint16_t* quantisation = nullptr;
        const HuffmanTable* dc = nullptr;
        const HuffmanTable* ac = nullptr;
        std::int32_t predictor = 0;
    };

    void LayOut();
    void CheckDataCanHoldFrame(const std::uint8_t* data, const std::uint8_t* end) const;
    void Allocate(PixelTarget& target);
    bool DecodeMcuUntilEnd(int mcuColumn);
    void DecodeMcu(int mcuColumn);
    void FillMcuGrey(int mcuColumn);
    void DecodeBlock(Component& component);
    void TransformBlock(const Component& component, std::int32_t* samples, int stride) const;
    void Restart();
    void AllocateConversion();
    void ConvertMcuRow(int mcuRow);
    void GatherRow(int row);
    void ConvertGatheredRow(int row, RgbRow out);
    void ConvertStoredRgbRow(int row, RgbRow out);
    const std::int32_t* SampleRow(const Component& component, int pixelRow) const;
    RgbRow OutputRow(int y) const;
    ChromaTerms Terms();

    const Frame& m_frame;
    const CodingTables& m_tables;
    BlockTransform m_transform;
    std::vector<Component> m_components;
    int m_hMax = 1;
    int m_vMax = 1;
    int m_mcuColumns = 0;
    int m_mcuRows = 0;
    int m_levelShift = 128;
    const std::uint8_t* m_end = nullptr;
    EntropyReader m_reader;
    CoefficientBlock m_block{};
    PixelLayout m_layout;
    // When luma has a sample for every pixel and Cb and Cr are sampled alike, one or two
    // pixels across each, a row of chroma is turned into terms once for the pixel rows it
    // covers. Other layouts gather each pixel's three samples first.
    bool m_directLayout = false;
    std::array<std::vector<std::int16_t>, 3> m_terms;
    std::array<std::vector<std::int32_t>, 3> m_gathered;
};

}  // namespace picture::jpeg
