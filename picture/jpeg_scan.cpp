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
        component.columnDivisor = m_hMax / component.blocksAcross;
        component.stride = m_mcuColumns * component.unitWidth;
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
            component.rows.assign(
                static_cast<std::size_t>(component.stride) * 8 * component.blocksDown, 0);
        } catch (const std::bad_alloc&) {
            throw EMemoryError("Disconvert unit" + std::to_string(c + 1));
        }
    }
    try {
        AllocateConversion();
    } catch (const std::bad_alloc&) {
        throw EMemoryError("Disconvert terms");
    }
}

bool ScanDecoder::Decode(const std::uint8_t* data, const std::uint8_t* end, PixelTarget& target) {
    CheckDataCanHoldFrame(data, end);
    Allocate(target);
    m_end = end;
    m_reader.Start(data, end);
    const int interval = m_tables.restartInterval;
    int untilRestart = interval;
    bool endedEarly = false;
    for (int mcuRow = 0; mcuRow < m_mcuRows; ++mcuRow) {
        for (int mcuColumn = 0; mcuColumn < m_mcuColumns; ++mcuColumn) {
            if (endedEarly) {
                FillMcuGrey(mcuColumn);
                continue;
            }
            if (interval != 0) {
                if (untilRestart == 0) {
                    Restart();
                    untilRestart = interval;
                }
                --untilRestart;
            }
            endedEarly = !DecodeMcuUntilEnd(mcuColumn);
        }
        ConvertMcuRow(mcuRow);
    }
    return endedEarly;
}

// False when the file ended inside this MCU, which is then grey: the zero bits that stand in
// for the missing data decode to colours the picture never had, or to nonsense codes. A block
// that fails keeps the reader where the block began; its codes take at most 64 x 32 bits, so
// a failure that began that close to the end of the buffer, with no marker before it, is
// taken for the end.
bool ScanDecoder::DecodeMcuUntilEnd(int mcuColumn) {
    constexpr std::ptrdiff_t kLongestBlockBytes = 64 * 4;
    try {
        DecodeMcu(mcuColumn);
    } catch (const EDataFormatError&) {
        if (!m_reader.RanOut() && !m_reader.EndsWithin(kLongestBlockBytes)) {
            throw;
        }
        FillMcuGrey(mcuColumn);
        return false;
    }
    if (!m_reader.RanOut()) {
        return true;
    }
    FillMcuGrey(mcuColumn);
    return false;
}

void ScanDecoder::FillMcuGrey(int mcuColumn) {
    for (Component& component : m_components) {
        std::int32_t* first = component.rows.data() + mcuColumn * component.unitWidth;
        for (int row = 0; row < 8 * component.blocksDown; ++row) {
            std::fill_n(first + row * component.stride, component.unitWidth, 128);
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

void ScanDecoder::DecodeMcu(int mcuColumn) {
    for (Component& component : m_components) {
        for (int down = 0; down < component.blocksDown; ++down) {
            for (int across = 0; across < component.blocksAcross; ++across) {
                DecodeBlock(component);
                if (m_reader.Overrun()) {
                    throw EDataFormatError("DecodeHuffman:Error Marker");
                }
                std::int32_t* samples = component.rows.data() +
                                        8 * (down * component.stride + across) +
                                        mcuColumn * component.unitWidth;
                TransformBlock(component, samples, component.stride);
            }
        }
    }
}

void ScanDecoder::DecodeBlock(Component& component) {
    // A local copy of the reader: its state cannot alias the coefficients written below, so
    // the compiler keeps it in registers instead of reloading it after every store. After a
    // failure the state is not needed again.
    EntropyReader reader = m_reader;
    CoefficientBlock& block = m_block;
    block.values.fill(0);
    std::int32_t difference = 0;
    const HuffmanTable::FastCoefficient fastDc = component.dc->Fast(reader.PeekLookupBits());
    if (fastDc.length != 0 && (fastDc.run == 0 || fastDc.run == HuffmanTable::kSymbolZero)) {
        reader.Consume(fastDc.length);
        difference = fastDc.value;
    } else {
        const int dcSize = reader.DecodeSymbol(*component.dc);
        if (dcSize > 15) {
            throw EDataFormatError("DecodeHuffman:wrong Huffman value");
        }
        difference = dcSize > 0 ? reader.ReceiveExtend(dcSize) : 0;
    }
    // Wraps instead of overflowing on nonsense data; real pictures stay far inside.
    component.predictor = static_cast<std::int32_t>(
        static_cast<std::uint32_t>(component.predictor) + static_cast<std::uint32_t>(difference));
    block.values[0] = component.predictor;
    unsigned columnMask = 1;
    bool dcOnly = true;
    const HuffmanTable& ac = *component.ac;
    for (int k = 1; k < 64; ++k) {
        const HuffmanTable::FastCoefficient fast = ac.Fast(reader.PeekLookupBits());
        if (fast.length != 0) {
            reader.Consume(fast.length);
            if (fast.run == HuffmanTable::kSymbolZero) {
                break;  // end of block
            }
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
    m_reader = reader;
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

}  // namespace picture::jpeg
