// The frame and scan headers, and the checks that decide whether a scan can be decoded.
#include <algorithm>
#include <cstdint>

#include "picture/jpeg_decoder.h"
#include "picture/jpeg_errors.h"

namespace picture {
namespace {

constexpr std::int64_t kMaxPixels = 100'000'000;

}  // namespace

void JpegDecoder::ReadFrame() {
    const std::size_t length = SegmentLength();
    const std::size_t end = m_reader.Offset() + length;
    m_frame = {};
    m_frame.precision = m_reader.GetByte();
    // The planes hold bytes: a baseline frame has 8-bit samples, and anything else would
    // come out shifted to white.
    if (m_frame.precision != 8) {
        throw ENotSupported("AnalysisSOF:P");
    }
    m_frame.height = m_reader.GetWord();
    m_frame.width = m_reader.GetWord();
    m_frame.componentCount = m_reader.GetByte();
    if (m_frame.componentCount != 1 && m_frame.componentCount != 3) {
        throw ENotSupported("AnalysisSOF:Nf");
    }
    ReadFrameComponents();
    m_frame.present = true;
    SkipToSegmentEnd(end);
}

void JpegDecoder::ReadFrameComponents() {
    for (int c = 0; c < m_frame.componentCount; ++c) {
        jpeg::FrameComponent& component = m_frame.components[static_cast<std::size_t>(c)];
        component.id = m_reader.GetByte();
        const int factors = m_reader.GetByte();
        component.h = factors >> 4;
        component.v = factors & 15;
        component.tq = m_reader.GetByte();
        m_frame.hMax = c == 0 ? component.h : std::max(m_frame.hMax, component.h);
        m_frame.vMax = c == 0 ? component.v : std::max(m_frame.vMax, component.v);
    }
}

// The scan must hold every component of the frame, in the frame's order: this decoder reads
// one interleaved scan and nothing after it.
void JpegDecoder::ReadScan() {
    const std::size_t length = SegmentLength();
    const std::size_t end = m_reader.Offset() + length;
    if (!m_frame.present) {
        throw EDataFormatError("AnalysisScan:no frame");
    }
    const int count = m_reader.GetByte();
    if (count != m_frame.componentCount) {
        throw ENotSupported("AnalysisScan:components");
    }
    for (int c = 0; c < count; ++c) {
        jpeg::FrameComponent& component = m_frame.components[static_cast<std::size_t>(c)];
        const int selector = m_reader.GetByte();
        const int tables = m_reader.GetByte();
        component.td = tables >> 4;
        component.ta = tables & 15;
        if (component.td > 2) {
            throw EIndexError("AnalysisScan:Td Over");
        }
        if (component.ta > 2) {
            throw EIndexError("AnalysisScan:Ta Over");
        }
        if (selector != component.id) {
            throw ENotSupported("AnalysisScan:components");
        }
    }
    // Spectral selection and successive approximation have no meaning for a baseline scan.
    m_reader.SkipBytes(3);
    SkipToSegmentEnd(end);
    CheckFrameForScan();
    CheckScanTables();
    m_frame.storedAsRgb = m_frame.componentCount == 3 && m_adobeTransform == 0;
}

void JpegDecoder::CheckFrameForScan() const {
    if (m_frame.width == 0 || m_frame.height == 0) {
        throw EDataFormatError("AnalysisScan:empty picture");
    }
    if (std::int64_t{m_frame.width} * m_frame.height > kMaxPixels) {
        throw ENotSupported("AnalysisScan:picture too large");
    }
    if (m_frame.componentCount == 1) {
        return;  // decoded block by block, whatever the factors say
    }
    for (int c = 0; c < m_frame.componentCount; ++c) {
        const jpeg::FrameComponent& component = m_frame.components[static_cast<std::size_t>(c)];
        if (component.h < 1 || component.h > 4 || component.v < 1 || component.v > 4) {
            throw EDataFormatError("AnalysisScan:sampling factor");
        }
        // Each component covers the MCU either fully or with whole repeats of its samples.
        if ((component.h != 1 && component.h != m_frame.hMax) ||
            (component.v != 1 && component.v != m_frame.vMax)) {
            throw ENotSupported("AnalysisScan:sampling factors");
        }
    }
}

void JpegDecoder::CheckScanTables() const {
    for (int c = 0; c < m_frame.componentCount; ++c) {
        const jpeg::FrameComponent& component = m_frame.components[static_cast<std::size_t>(c)];
        const bool quantisation =
            component.tq < 4 &&
            m_tables.quantisation[static_cast<std::size_t>(component.tq)].defined;
        const bool dc = m_tables.huffman[0][static_cast<std::size_t>(component.td)].Defined();
        const bool ac = m_tables.huffman[1][static_cast<std::size_t>(component.ta)].Defined();
        if (!quantisation || !dc || !ac) {
            throw EIndexError("AnalysisScan:no such table");
        }
    }
}

}  // namespace picture
