#include "picture/jpeg_idct.h"

#include <algorithm>
#include <array>

#include "picture/jpeg_tables.h"

namespace picture::jpeg {
namespace {

using Matrix = std::array<std::array<double, 8>, 8>;

// kScaled[u][x] = K(u) * cos[u][x]; the second pass also carries the factor 0.25.
constexpr Matrix MakeScaledCosine(double factor) {
    Matrix scaled{};
    for (int u = 0; u < 8; ++u) {
        for (int x = 0; x < 8; ++x) {
            scaled[u][x] = factor * (u == 0 ? kK0 : 1.0) * kCosine[u][x];
        }
    }
    return scaled;
}

constexpr Matrix kRowPass = MakeScaledCosine(1.0);
constexpr Matrix kColumnPass = MakeScaledCosine(0.25);
constexpr double kK0Squared = kK0 * kK0;

// Garbage coefficients can sum far beyond any sample; clamping keeps the conversion to an
// integer defined without touching any value a real picture produces.
std::int32_t Truncate(double value) {
    constexpr double kLimit = 1.0e9;
    return static_cast<std::int32_t>(std::min(std::max(value, -kLimit), kLimit));
}

void FillConstant(std::int32_t value, std::int32_t* samples, int stride) {
    for (int y = 0; y < 8; ++y, samples += stride) {
        for (int x = 0; x < 8; ++x) {
            samples[x] = value;
        }
    }
}

// cos[u][7 - x] = (-1)^u cos[u][x] holds exactly in the table, so each pass sums the even and
// the odd frequencies for the first half of the outputs and gets the second half from their
// difference: half the products, the same terms.

// Row v of the horizontal pass: t[x] = sum over u of K(u) F[v][u] cos[u][x].
void RowPass(const std::int32_t* row, const std::uint16_t* quantisation, double* out) {
    std::array<double, 4> even{};
    std::array<double, 4> odd{};
    // Testing each coefficient for zero costs more in mispredicted branches than it saves.
    for (int u = 0; u < 8; u += 2) {
        const double evenCoefficient = static_cast<double>(row[u]) * quantisation[u];
        const double oddCoefficient = static_cast<double>(row[u + 1]) * quantisation[u + 1];
        for (std::size_t x = 0; x < 4; ++x) {
            even[x] += evenCoefficient * kRowPass[u][x];
            odd[x] += oddCoefficient * kRowPass[u + 1][x];
        }
    }
    for (std::size_t x = 0; x < 4; ++x) {
        out[x] = even[x] + odd[x];
        out[7 - x] = even[x] - odd[x];
    }
}

// The rows the horizontal pass produced, the even and the odd vertical frequencies apart.
struct HorizontalPass {
    std::array<std::array<double, 8>, 4> even;
    std::array<std::array<double, 8>, 4> odd;
    std::array<int, 4> evenFrequency;
    std::array<int, 4> oddFrequency;
    int evenCount = 0;
    int oddCount = 0;
};

void AddRows(const std::array<std::array<double, 8>, 4>& rows, const std::array<int, 4>& frequency,
             int count, int y, std::array<double, 8>& sum) {
    for (int i = 0; i < count; ++i) {
        const double weight = kColumnPass[frequency[static_cast<std::size_t>(i)]][y];
        const std::array<double, 8>& row = rows[static_cast<std::size_t>(i)];
        for (std::size_t x = 0; x < 8; ++x) {
            sum[x] += weight * row[x];
        }
    }
}

void ColumnPass(const HorizontalPass& pass, int levelShift, std::int32_t* samples, int stride) {
    for (int y = 0; y < 4; ++y) {
        std::array<double, 8> even{};
        std::array<double, 8> odd{};
        AddRows(pass.even, pass.evenFrequency, pass.evenCount, y, even);
        AddRows(pass.odd, pass.oddFrequency, pass.oddCount, y, odd);
        std::int32_t* top = samples + y * stride;
        std::int32_t* bottom = samples + (7 - y) * stride;
        for (std::size_t x = 0; x < 8; ++x) {
            top[x] = Truncate(even[x] + odd[x] + levelShift);
            bottom[x] = Truncate(even[x] - odd[x] + levelShift);
        }
    }
}

}  // namespace

void InverseTransform(const CoefficientBlock& block, const std::uint16_t* quantisation,
                      int levelShift, std::int32_t* samples, int stride) {
    if (block.dcOnly) {
        // Every sample is the same, computed as the direct sum computes it.
        const double dc = static_cast<double>(block.values[0]) * quantisation[0];
        FillConstant(Truncate(0.25 * (kK0Squared * dc) + levelShift), samples, stride);
        return;
    }
    HorizontalPass pass;
    for (int v = 0; v < 8; ++v) {
        if ((block.rowMask & (1u << v)) == 0) {
            continue;
        }
        auto& rows = (v & 1) ? pass.odd : pass.even;
        auto& frequency = (v & 1) ? pass.oddFrequency : pass.evenFrequency;
        int& count = (v & 1) ? pass.oddCount : pass.evenCount;
        RowPass(&block.values[static_cast<std::size_t>(8 * v)], quantisation + 8 * v,
                rows[static_cast<std::size_t>(count)].data());
        frequency[static_cast<std::size_t>(count++)] = v;
    }
    ColumnPass(pass, levelShift, samples, stride);
}

}  // namespace picture::jpeg
