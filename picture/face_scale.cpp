#include "picture/face_scale.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <vector>

#include "picture/scale_taps.h"

namespace picture {

namespace {

// Weighted sums of bytes stay within 32 bits while the weights add up to at most this.
constexpr long long kMaxTapTotal = 1LL << 24;

std::optional<CDIB> BlackFace(int faceWidth, int faceHeight) {
    try {
        // A negative height makes the picture bottom-up; the buffer starts zeroed (black).
        return CDIB::CreateWithPixels(faceWidth, -faceHeight, {}, 24);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

// The source column (or row) that face column t of `target` falls on.
int SourceIndex(int start, int extent, int t, int target) {
    return start + static_cast<int>(static_cast<long long>(t) * extent / target);
}

std::optional<CDIB> ScaleNearest(const CDIB& picture, int left, int top, int width, int height,
                                 int faceWidth, int faceHeight) {
    std::optional<CDIB> face = BlackFace(faceWidth, faceHeight);
    if (!face)
        return std::nullopt;
    for (int ty = 0; ty < faceHeight; ++ty) {
        const int sy = SourceIndex(top, height, ty, faceHeight);
        for (int tx = 0; tx < faceWidth; ++tx) {
            const int sx = SourceIndex(left, width, tx, faceWidth);
            const std::uint8_t* in = picture.PixelAddress(sx, sy);
            if (in == nullptr)
                continue;
            std::uint8_t* out = face->PixelAddress(tx, ty);
            out[0] = in[0];
            out[1] = in[1];
            out[2] = in[2];
        }
    }
    return face;
}

long long TapTotal(int extent, int out) {
    return extent >= out ? extent : 2LL * out;
}

ScaleTaps TapsFor(int extent, int out) {
    return extent >= out ? AreaTaps(extent, out) : BilinearTaps(extent, out);
}

// The columns of the region that lie inside the picture, as byte offsets into a region row.
struct ColumnSpan {
    std::size_t regionOffset = 0;  // bytes from the region's first column
    std::size_t bytes = 0;         // 0 when the region lies beside the picture
    int firstColumn = 0;           // in the picture
};

ColumnSpan VisibleColumns(const CDIB& picture, int left, int width) {
    const long long first = std::max<long long>(left, 0);
    const long long end =
        std::min<long long>(static_cast<long long>(left) + width, picture.Width());
    if (first >= end)
        return {};
    return {static_cast<std::size_t>(first - left) * 3, static_cast<std::size_t>(end - first) * 3,
            static_cast<int>(first)};
}

// out[k] += weight * in[k]. Chunks of a fixed length let the compiler use vector instructions
// at -O2, whose cost model leaves loops of unknown length and possibly aliased data scalar.
// A product that fits 16 bits is made with 16-bit multiplies, which every x86-64 processor has
// in vector form, unlike 32-bit ones.
void AddWeighted(std::uint32_t* __restrict out, const std::uint8_t* __restrict in,
                 std::size_t count, std::uint32_t weight) {
    constexpr std::size_t kChunk = 16;
    std::size_t k = 0;
    if (weight <= 65535 / 255) {
        const auto narrow = static_cast<std::uint16_t>(weight);
        for (; k + kChunk <= count; k += kChunk) {
            for (std::size_t j = 0; j < kChunk; ++j)
                out[k + j] += static_cast<std::uint16_t>(narrow * in[k + j]);
        }
    }
    for (; k + kChunk <= count; k += kChunk) {
        for (std::size_t j = 0; j < kChunk; ++j)
            out[k + j] += weight * in[k + j];
    }
    for (; k < count; ++k)
        out[k] += weight * in[k];
}

// out[k] += in[k], in the same fixed-length chunks.
void AddPlain(std::uint16_t* __restrict out, const std::uint8_t* __restrict in, std::size_t count) {
    constexpr std::size_t kChunk = 16;
    std::size_t k = 0;
    for (; k + kChunk <= count; k += kChunk) {
        for (std::size_t j = 0; j < kChunk; ++j)
            out[k + j] = static_cast<std::uint16_t>(out[k + j] + in[k + j]);
    }
    for (; k < count; ++k)
        out[k] = static_cast<std::uint16_t>(out[k] + in[k]);
}

// Most picture rows lie wholly inside one face row and share one weight: they are added
// unweighted in 16 bits, half the work of a weighted 32-bit sum, and weighted once. This many
// rows of 255 still fit 16 bits.
constexpr int kPlainRowsPerFlush = 65535 / 255;

class RowSums {
public:
    explicit RowSums(std::size_t bytes) : m_sums(bytes), m_plain(bytes) {}

    void Clear() {
        std::fill(m_sums.begin(), m_sums.end(), 0u);
        std::fill(m_plain.begin(), m_plain.end(), std::uint16_t{0});
        m_plainRows = 0;
    }
    void Add(const std::uint8_t* in, std::size_t offset, std::size_t count, std::uint32_t weight,
             std::uint32_t fullWeight) {
        if (weight != fullWeight) {
            AddWeighted(m_sums.data() + offset, in, count, weight);
            return;
        }
        if (m_plainRows == kPlainRowsPerFlush)
            Flush(fullWeight);
        AddPlain(m_plain.data() + offset, in, count);
        ++m_plainRows;
    }
    // The weighted sums, once the plain rows are in them.
    const std::vector<std::uint32_t>& Sums(std::uint32_t fullWeight) {
        if (m_plainRows != 0)
            Flush(fullWeight);
        return m_sums;
    }

private:
    void Flush(std::uint32_t weight) {
        std::uint32_t* __restrict sums = m_sums.data();
        const std::uint16_t* __restrict plain = m_plain.data();
        constexpr std::size_t kChunk = 16;
        std::size_t k = 0;
        for (; k + kChunk <= m_sums.size(); k += kChunk) {
            for (std::size_t j = 0; j < kChunk; ++j)
                sums[k + j] += weight * plain[k + j];
        }
        for (; k < m_sums.size(); ++k)
            sums[k] += weight * plain[k];
        std::fill(m_plain.begin(), m_plain.end(), std::uint16_t{0});
        m_plainRows = 0;
    }

    std::vector<std::uint32_t> m_sums;
    std::vector<std::uint16_t> m_plain;
    int m_plainRows = 0;
};

// Face row y before the horizontal pass: the picture rows it is made of, weighted and summed
// byte by byte over the region's columns. Rows outside the picture add nothing (black).
const std::vector<std::uint32_t>& SumRows(const CDIB& picture, const ColumnSpan& columns, int top,
                                          const ScaleTaps& rows, int y, RowSums& sums) {
    sums.Clear();
    for (std::uint32_t t = rows.first[y]; t < rows.first[y + 1] && columns.bytes != 0; ++t) {
        const long long row = static_cast<long long>(top) + rows.taps[t].source;
        if (row < 0 || row >= picture.Height())
            continue;
        const std::uint8_t* in = picture.PixelAddress(columns.firstColumn, static_cast<int>(row));
        if (in == nullptr)
            continue;
        sums.Add(in, columns.regionOffset, columns.bytes, rows.taps[t].weight, rows.fullWeight);
    }
    return sums.Sums(rows.fullWeight);
}

void WriteFaceRow(const std::vector<std::uint32_t>& sums, const ScaleTaps& columns,
                  std::uint64_t total, std::uint8_t* out) {
    const std::size_t faceWidth = columns.first.size() - 1;
    for (std::size_t x = 0; x < faceWidth; ++x, out += 3) {
        std::uint64_t blue = 0, green = 0, red = 0;
        for (std::uint32_t t = columns.first[x]; t < columns.first[x + 1]; ++t) {
            const std::uint32_t* in = sums.data() + std::size_t{3} * columns.taps[t].source;
            const std::uint64_t weight = columns.taps[t].weight;
            blue += weight * in[0];
            green += weight * in[1];
            red += weight * in[2];
        }
        out[0] = static_cast<std::uint8_t>((blue + total / 2) / total);
        out[1] = static_cast<std::uint8_t>((green + total / 2) / total);
        out[2] = static_cast<std::uint8_t>((red + total / 2) / total);
    }
}

// Separable: the rows first, because that pass reads every picture byte of the region once in
// memory order; the second pass works on face-height rows only.
std::optional<CDIB> ScaleAreaAverage(const CDIB& picture, int left, int top, int width, int height,
                                     int faceWidth, int faceHeight) {
    if (width <= 0 || height <= 0 || TapTotal(width, faceWidth) > kMaxTapTotal ||
        TapTotal(height, faceHeight) > kMaxTapTotal)
        return std::nullopt;
    std::optional<CDIB> face = BlackFace(faceWidth, faceHeight);
    if (!face)
        return std::nullopt;
    try {
        const ScaleTaps columns = TapsFor(width, faceWidth);
        const ScaleTaps rows = TapsFor(height, faceHeight);
        const std::uint64_t total = std::uint64_t{columns.total} * rows.total;
        const ColumnSpan visible = VisibleColumns(picture, left, width);
        RowSums sums(static_cast<std::size_t>(width) * 3);
        for (int y = 0; y < faceHeight; ++y) {
            WriteFaceRow(SumRows(picture, visible, top, rows, y, sums), columns, total,
                         face->PixelAddress(0, y));
        }
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    return face;
}

}  // namespace

std::optional<CDIB> ScaleCropToFace(const CDIB& picture, int left, int top, int width, int height,
                                    int faceWidth, int faceHeight, FaceScaling scaling) {
    if (picture.BitCount() != 24 || faceWidth <= 0 || faceHeight <= 0)
        return std::nullopt;
    if (scaling == FaceScaling::Nearest)
        return ScaleNearest(picture, left, top, width, height, faceWidth, faceHeight);
    return ScaleAreaAverage(picture, left, top, width, height, faceWidth, faceHeight);
}

}  // namespace picture
