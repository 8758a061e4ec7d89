#include "picture/jpeg_idct.h"

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
    if (value > kLimit) {
        value = kLimit;
    } else if (value < -kLimit) {
        value = -kLimit;
    }
    return static_cast<std::int32_t>(value);
}

void FillConstant(std::int32_t value, std::int32_t* samples, int stride) {
    for (int y = 0; y < 8; ++y, samples += stride) {
        for (int x = 0; x < 8; ++x) {
            samples[x] = value;
        }
    }
}

// Row v of the horizontal pass: t[x] = sum over u of K(u) F[v][u] cos[u][x].
void RowPass(const std::int32_t* row, const std::uint16_t* quantisation, double* out) {
    std::array<double, 8> sum{};
    for (int u = 0; u < 8; ++u) {
        if (row[u] == 0) {
            continue;
        }
        const double coefficient = static_cast<double>(row[u]) * quantisation[u];
        for (int x = 0; x < 8; ++x) {
            sum[static_cast<std::size_t>(x)] += coefficient * kRowPass[u][x];
        }
    }
    for (int x = 0; x < 8; ++x) {
        out[x] = sum[static_cast<std::size_t>(x)];
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
    std::array<std::array<double, 8>, 8> rows;
    std::array<int, 8> rowIndex;
    int rowCount = 0;
    for (int v = 0; v < 8; ++v) {
        if (block.rowMask & (1u << v)) {
            RowPass(&block.values[static_cast<std::size_t>(8 * v)], quantisation + 8 * v,
                    rows[static_cast<std::size_t>(rowCount)].data());
            rowIndex[static_cast<std::size_t>(rowCount++)] = v;
        }
    }
    for (int y = 0; y < 8; ++y, samples += stride) {
        std::array<double, 8> sum{};
        for (int i = 0; i < rowCount; ++i) {
            const double weight = kColumnPass[rowIndex[i]][y];
            const std::array<double, 8>& row = rows[static_cast<std::size_t>(i)];
            for (std::size_t x = 0; x < 8; ++x) {
                sum[x] += weight * row[x];
            }
        }
        for (int x = 0; x < 8; ++x) {
            samples[x] = Truncate(sum[static_cast<std::size_t>(x)] + levelShift);
        }
    }
}

}  // namespace picture::jpeg
