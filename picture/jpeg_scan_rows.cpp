// The colour conversion of a decoded row of MCUs.
#include <algorithm>

#include "picture/jpeg_scan.h"

namespace picture::jpeg {

void ScanDecoder::AllocateConversion() {
    if (m_components.size() != 3) {
        return;
    }
    const Component& luma = m_components[0];
    const Component& cb = m_components[1];
    const Component& cr = m_components[2];
    m_directLayout = luma.columnDivisor == 1 && luma.rowDivisor == 1 &&
                     cb.blocksAcross == cr.blocksAcross && cb.blocksDown == cr.blocksDown &&
                     cb.columnDivisor <= 2;
    const std::size_t width = static_cast<std::size_t>(m_frame.width);
    for (auto& terms : m_terms) {
        terms.resize(m_directLayout ? static_cast<std::size_t>(cb.stride) : width);
    }
    if (!m_directLayout || m_frame.storedAsRgb) {
        for (auto& gathered : m_gathered) {
            gathered.resize(width);
        }
    }
}

const std::int32_t* ScanDecoder::SampleRow(const Component& component, int pixelRow) const {
    return component.rows.data() + (pixelRow / component.rowDivisor) * component.stride;
}

RgbRow ScanDecoder::OutputRow(int y) const {
    const std::ptrdiff_t offset = y * m_layout.rowStep;
    return {m_layout.origin[0] + offset, m_layout.origin[1] + offset, m_layout.origin[2] + offset,
            m_layout.pixelStep};
}

ChromaTerms ScanDecoder::Terms() {
    return {m_terms[0].data(), m_terms[1].data(), m_terms[2].data()};
}

void ScanDecoder::ConvertMcuRow(int mcuRow) {
    const int top = 8 * m_vMax * mcuRow;
    const int rows = std::min(8 * m_vMax, m_frame.height - top);
    const int width = m_frame.width;
    const Component& luma = m_components[0];
    if (m_components.size() == 1) {
        for (int r = 0; r < rows; ++r) {
            ConvertGreyRow(SampleRow(luma, r), width, OutputRow(top + r));
        }
        return;
    }
    const Component& cb = m_components[1];
    const Component& cr = m_components[2];
    const int chromaWidth = (width + cb.columnDivisor - 1) / cb.columnDivisor;
    for (int r = 0; r < rows; ++r) {
        if (m_frame.storedAsRgb) {
            ConvertStoredRgbRow(r, OutputRow(top + r));
            continue;
        }
        if (!m_directLayout) {
            ConvertGatheredRow(r, OutputRow(top + r));
            continue;
        }
        // Rows of pixels that share a row of chroma share its terms.
        if (r % cb.rowDivisor == 0) {
            ComputeChromaTerms(SampleRow(cb, r), SampleRow(cr, r), chromaWidth, Terms());
        }
        ConvertColourRow(SampleRow(luma, r), Terms(), cb.columnDivisor, width, OutputRow(top + r),
                         false);
    }
}

void ScanDecoder::GatherRow(int row) {
    const int width = m_frame.width;
    for (std::size_t c = 0; c < 3; ++c) {
        const Component& component = m_components[c];
        const std::int32_t* samples = SampleRow(component, row);
        std::int32_t* gathered = m_gathered[c].data();
        for (int q = 0; q < width; ++q) {
            gathered[q] = samples[q / component.columnDivisor];
        }
    }
}

// Any other sampling: each pixel's three samples are picked first, then converted alike.
void ScanDecoder::ConvertGatheredRow(int row, RgbRow out) {
    const int width = m_frame.width;
    GatherRow(row);
    ComputeChromaTerms(m_gathered[1].data(), m_gathered[2].data(), width, Terms());
    ConvertColourRow(m_gathered[0].data(), Terms(), 1, width, out, false);
}

void ScanDecoder::ConvertStoredRgbRow(int row, RgbRow out) {
    GatherRow(row);
    ConvertPlainRgbRow(m_gathered[0].data(), m_gathered[1].data(), m_gathered[2].data(),
                       m_frame.width, out);
}

}  // namespace picture::jpeg
