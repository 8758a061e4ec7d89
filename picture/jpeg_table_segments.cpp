// The Huffman and quantisation table segments.
#include <array>
#include <string>

#include "picture/jpeg_decoder.h"
#include "picture/jpeg_errors.h"
#include "picture/jpeg_tables.h"

namespace picture {

void JpegDecoder::ReadHuffmanTables() {
    const std::size_t length = SegmentLength();
    const std::size_t end = m_reader.Offset() + length;
    while (m_reader.Offset() < end) {
        ReadHuffmanTable(end);
    }
}

void JpegDecoder::ReadHuffmanTable(std::size_t segmentEnd) {
    const int classAndDestination = m_reader.GetByte();
    const int tableClass = classAndDestination >> 4;
    const int destination = classAndDestination & 15;
    if (tableClass > 1) {
        throw EDataFormatError("AnalysisDHT:Tc");
    }
    if (destination > 3) {
        throw EDataFormatError("AnalysisDHT:Th");
    }
    std::array<std::uint8_t, 16> counts;
    std::size_t total = 0;
    for (std::uint8_t& count : counts) {
        count = m_reader.GetByte();
        total += count;
    }
    if (total > 256) {
        throw EIndexError("AnalysisDHT:Size Table Index over");
    }
    const std::string symbols = m_reader.CopyBytes(total);
    if (m_reader.Offset() > segmentEnd) {
        throw EDataFormatError("AnalysisDHT:DHT Length");
    }
    m_tables.huffman[static_cast<std::size_t>(tableClass)][static_cast<std::size_t>(destination)]
        .Build(counts, reinterpret_cast<const std::uint8_t*>(symbols.data()));
}

void JpegDecoder::ReadQuantisationTables() {
    const std::size_t length = SegmentLength();
    const std::size_t end = m_reader.Offset() + length;
    while (m_reader.Offset() < end) {
        const int precisionAndDestination = m_reader.GetByte();
        const bool words = (precisionAndDestination >> 4) != 0;
        jpeg::QuantisationTable& table =
            m_tables.quantisation[static_cast<std::size_t>(precisionAndDestination & 3)];
        for (std::uint8_t index : jpeg::kZigZag) {
            table.values[index] = words ? m_reader.GetWord() : m_reader.GetByte();
        }
        table.defined = true;
    }
}

}  // namespace picture
