#include "picture/jpeg_scan.h"

#include <algorithm>
#include <new>
#include <string>

#include "picture/jpeg_byte_reader.h"
#include "picture/jpeg_errors.h"
#include "picture/jpeg_tables.h"

namespace picture::jpeg {

ScanDecoder::ScanDecoder(const Frame& frame, const CodingTables& tables, BlockTransform transform)
    : m_frame(frame), m_tables(tables), m_transform(transform) {
    LayOut();
}

void ScanDecoder::LayOut() {
    // A one-component scan is not interleaved: its MCU is one block whatever the factors say.
    const bool interleaved = m_frame.componentCount > 1;
    m_hMax = interleaved ? m_frame.hMax : 1;
    m_vMax = interleaved ? m_frame.vMax : 1;
    m_levelShift = m_frame.precision == 8 ? 128 : 2048;
    const int blockColumns = (m_frame.width + 7) / 8;
    const int blockRows = (m_frame.height + 7) / 8;
    m_mcuColumns = (blockColumns + m_hMax - 1) / m_hMax;
    m_mcuRows = (blockRows + m_vMax - 1) / m_vMax;
    m_components.resize(static_cast<std::size_t>(m_frame.componentCount));
    for (std::size_t c = 0; c < m_components.size(); ++c) {
        const FrameComponent& source = m_frame.components[c];
        Component& component = m_components[c];
        component.blocksAcross = interleaved ? source.h : 1;
        component.blocksDown = interleaved ? source.v : 1;
        component.unitWidth = 8 * component.blocksAcross;
        component.rowDivisor = m_vMax / component.blocksDown;
        const int columnDivisor = m_hMax / component.blocksAcross;
        for (int q = 0; q < 8 * m_hMax; ++q) {
            component.columnOfPixel[static_cast<std::size_t>(q)] =
                static_cast<std::uint8_t>(q / columnDivisor);
        }
        component.quantisation =
            m_tables.quantisation[static_cast<std::size_t>(source.tq)].values.data();
        component.dc = &m_tables.huffman[0][static_cast<std::size_t>(source.td)];
        component.ac = &m_tables.huffman[1][static_cast<std::size_t>(source.ta)];
    }
}

// Every block takes at least two bits (a DC code and an AC code), so a scan shorter than a
// quarter byte per block cannot be this frame's: refusing it before allocating keeps a forged
// size in a tiny file from claiming hundreds of megabytes.
void ScanDecoder::CheckDataCanHoldFrame(const std::uint8_t* data, const std::uint8_t* end) const {
    std::int64_t blocksPerMcu = 0;
    for (const Component& component : m_components) {
        blocksPerMcu += component.blocksAcross * component.blocksDown;
    }
    const std::int64_t blocks = blocksPerMcu * m_mcuColumns * m_mcuRows;
    if (blocks > 4 * static_cast<std::int64_t>(end - data)) {
        throw EDataFormatError("Decode:scan too short for the frame");
    }
}

void ScanDecoder::Allocate(PixelTarget& target) {
    if (!target.Prepare(m_frame.width, m_frame.height, m_layout)) {
        throw EMemoryError("Decode:mRgbP");
    }
    for (std::size_t c = 0; c < m_components.size(); ++c) {
        Component& component = m_components[c];
        try {
            component.unit.assign(
                static_cast<std::size_t>(component.unitWidth * 8 * component.blocksDown), 0);
        } catch (const std::bad_alloc&) {
            throw EMemoryError("Disconvert unit" + std::to_string(c + 1));
        }
    }
    if (m_components.size() == 3) {
        const Component& luma = m_components[0];
        const Component& cb = m_components[1];
        const Component& cr = m_components[2];
        m_chromaDivisor = m_hMax / cb.blocksAcross;
        m_directLayout = luma.blocksAcross == m_hMax && luma.blocksDown == m_vMax &&
                         cb.blocksAcross == cr.blocksAcross && cb.blocksDown == cr.blocksDown &&
                         m_chromaDivisor <= 2;
        for (auto& terms : m_terms) {
            terms.resize(m_directLayout ? cb.unit.size() : m_gathered[0].size());
        }
    }
}

void ScanDecoder::Decode(const std::uint8_t* data, const std::uint8_t* end, PixelTarget& target) {
    CheckDataCanHoldFrame(data, end);
    Allocate(target);
    m_end = end;
    m_reader.Start(data, end);
    const int interval = m_tables.restartInterval;
    int untilRestart = interval;
    for (int mcuRow = 0; mcuRow < m_mcuRows; ++mcuRow) {
        for (int mcuColumn = 0; mcuColumn < m_mcuColumns; ++mcuColumn) {
            if (interval != 0) {
                if (untilRestart == 0) {
                    Restart();
                    untilRestart = interval;
                }
                --untilRestart;
            }
            DecodeMcu();
            ConvertMcu(mcuColumn, mcuRow);
        }
    }
}

// The data of a restart interval ends at the next marker. When it is RST0 ... RST7 the DC
// predictions start again from 0; any other marker is passed over. When the buffer ends first
// the scan was cut short and goes on with zero bits.
void ScanDecoder::Restart() {
    JpegByteReader bytes;
    bytes.Reset(m_reader.Position(), static_cast<std::size_t>(m_end - m_reader.Position()));
    int marker = 0;
    if (bytes.TryNextMarker(marker) && marker >= 0xD0 && marker <= 0xD7) {
        for (Component& component : m_components) {
            component.predictor = 0;
        }
    }
    m_reader.Start(bytes.Position(), m_end);
}

void ScanDecoder::DecodeMcu() {
    for (Component& component : m_components) {
        for (int down = 0; down < component.blocksDown; ++down) {
            for (int across = 0; across < component.blocksAcross; ++across) {
                DecodeBlock(component);
                if (m_reader.Overrun()) {
                    throw EDataFormatError("DecodeHuffman:Error Marker");
                }
                std::int32_t* samples =
                    component.unit.data() + 8 * (down * component.unitWidth + across);
                TransformBlock(component, samples, component.unitWidth);
            }
        }
    }
}

void ScanDecoder::DecodeBlock(Component& component) {
    EntropyReader& reader = m_reader;
    CoefficientBlock& block = m_block;
    block.values.fill(0);
    const int dcSize = reader.DecodeSymbol(*component.dc);
    if (dcSize > 15) {
        throw EDataFormatError("DecodeHuffman:wrong Huffman value");
    }
    if (dcSize > 0) {
        // Wraps instead of overflowing on nonsense data; real pictures stay far inside.
        component.predictor =
            static_cast<std::int32_t>(static_cast<std::uint32_t>(component.predictor) +
                                      static_cast<std::uint32_t>(reader.ReceiveExtend(dcSize)));
    }
    block.values[0] = component.predictor;
    unsigned columnMask = 1;
    bool dcOnly = true;
    const HuffmanTable& ac = *component.ac;
    for (int k = 1; k < 64; ++k) {
        const HuffmanTable::FastCoefficient fast = ac.Fast(reader.PeekLookupBits());
        if (fast.length != 0) {
            reader.Consume(fast.length);
            k += fast.run;
            if (k > 63) {
                throw EDataFormatError("DecodeHuffman:wrong Run length");
            }
            const int index = kZigZag[static_cast<std::size_t>(k)];
            block.values[static_cast<std::size_t>(index)] = fast.value;
            columnMask |= 1u << (index & 7);
            dcOnly = false;
            continue;
        }
        const int symbol = reader.DecodeSymbol(ac);
        const int run = symbol >> 4;
        const int size = symbol & 15;
        if (size == 0 && run != 15) {
            if (run == 0) {
                break;  // end of block
            }
            throw EDataFormatError("DecodeHuffman:wrong Huffman value");
        }
        if (k + run > 63) {
            throw EDataFormatError("DecodeHuffman:wrong Run length");
        }
        k += run;
        if (size != 0) {
            const int index = kZigZag[static_cast<std::size_t>(k)];
            block.values[static_cast<std::size_t>(index)] = reader.ReceiveExtend(size);
            columnMask |= 1u << (index & 7);
            dcOnly = false;
        }
    }
    block.columnMask = columnMask;
    block.dcOnly = dcOnly;
}

void ScanDecoder::TransformBlock(const Component& component, std::int32_t* samples,
                                 int stride) const {
    if (m_transform == nullptr) {
        InverseTransform(m_block, component.quantisation, m_levelShift, samples, stride);
        return;
    }
    std::array<std::int32_t, 64> coefficients;
    std::array<std::int32_t, 64> block;
    for (std::size_t i = 0; i < 64; ++i) {
        coefficients[i] = static_cast<std::int32_t>(static_cast<std::uint32_t>(m_block.values[i]) *
                                                    component.quantisation[i]);
    }
    m_transform(coefficients.data(), m_levelShift, block.data());
    for (int y = 0; y < 8; ++y) {
        std::copy_n(block.data() + 8 * y, 8, samples + y * stride);
    }
}

RgbRow ScanDecoder::OutputRow(int x, int y) const {
    const std::ptrdiff_t offset = y * m_layout.rowStep + x * m_layout.pixelStep;
    return {m_layout.origin[0] + offset, m_layout.origin[1] + offset, m_layout.origin[2] + offset,
            m_layout.pixelStep};
}

ChromaTerms ScanDecoder::TermsAt(std::size_t offset) {
    return {m_terms[0].data() + offset, m_terms[1].data() + offset, m_terms[2].data() + offset};
}

void ScanDecoder::ConvertMcu(int mcuColumn, int mcuRow) {
    const int left = 8 * m_hMax * mcuColumn;
    const int top = 8 * m_vMax * mcuRow;
    const int columns = std::min(8 * m_hMax, m_frame.width - left);
    const int rows = std::min(8 * m_vMax, m_frame.height - top);
    const Component& luma = m_components[0];
    if (m_components.size() == 1) {
        for (int r = 0; r < rows; ++r) {
            ConvertGreyRow(luma.unit.data() + r * luma.unitWidth, columns,
                           OutputRow(left, top + r));
        }
        return;
    }
    if (m_directLayout) {
        const Component& cb = m_components[1];
        ComputeChromaTerms(cb.unit.data(), m_components[2].unit.data(),
                           static_cast<int>(cb.unit.size()), TermsAt(0));
    }
    // The next MCU to the right overwrites the byte after this one's last pixel.
    const bool mayWritePastEnd = left + columns < m_frame.width;
    for (int r = 0; r < rows; ++r) {
        ConvertColourRowOfMcu(r, columns, mayWritePastEnd, OutputRow(left, top + r));
    }
}

void ScanDecoder::ConvertColourRowOfMcu(int row, int columns, bool mayWritePastEnd, RgbRow out) {
    if (!m_directLayout) {
        ConvertGatheredRow(row, columns, out);
        return;
    }
    const Component& luma = m_components[0];
    const Component& cb = m_components[1];
    const std::size_t chromaRow = static_cast<std::size_t>((row / cb.rowDivisor) * cb.unitWidth);
    ConvertColourRow(luma.unit.data() + row * luma.unitWidth, TermsAt(chromaRow), m_chromaDivisor,
                     columns, out, mayWritePastEnd);
}

// Any other sampling: each pixel's three samples are picked first, then converted alike.
void ScanDecoder::ConvertGatheredRow(int row, int columns, RgbRow out) {
    for (std::size_t c = 0; c < 3; ++c) {
        const Component& component = m_components[c];
        const std::int32_t* samples =
            component.unit.data() + (row / component.rowDivisor) * component.unitWidth;
        for (int q = 0; q < columns; ++q) {
            m_gathered[c][static_cast<std::size_t>(q)] =
                samples[component.columnOfPixel[static_cast<std::size_t>(q)]];
        }
    }
    ComputeChromaTerms(m_gathered[1].data(), m_gathered[2].data(), columns, TermsAt(0));
    ConvertColourRow(m_gathered[0].data(), TermsAt(0), 1, columns, out, false);
}

}  // namespace picture::jpeg
