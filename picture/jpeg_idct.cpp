#include "picture/jpeg_idct.h"

#include <algorithm>
#include <array>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define KAOCG_JPEG_IDCT_SSE2 1
#endif

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
void RowPassScalar(const std::int32_t* row, const std::uint16_t* quantisation, double* out) {
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

void ColumnPassScalar(const HorizontalPass& pass, int levelShift, std::int32_t* samples,
                      int stride) {
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

#if KAOCG_JPEG_IDCT_SSE2
// The same sums as the scalar passes, two columns to a vector, each lane adding the same
// products in the same order: the samples are bit for bit those of the scalar form.

__m128d Reversed(__m128d pair) {
    return _mm_shuffle_pd(pair, pair, 1);
}

void RowPass(const std::int32_t* row, const std::uint16_t* quantisation, double* out) {
    __m128d even01 = _mm_setzero_pd();
    __m128d even23 = _mm_setzero_pd();
    __m128d odd01 = _mm_setzero_pd();
    __m128d odd23 = _mm_setzero_pd();
    for (int u = 0; u < 8; u += 2) {
        const __m128d evenCoefficient = _mm_set1_pd(static_cast<double>(row[u]) * quantisation[u]);
        const __m128d oddCoefficient =
            _mm_set1_pd(static_cast<double>(row[u + 1]) * quantisation[u + 1]);
        const double* evenBasis = kRowPass[static_cast<std::size_t>(u)].data();
        const double* oddBasis = kRowPass[static_cast<std::size_t>(u + 1)].data();
        even01 = _mm_add_pd(even01, _mm_mul_pd(evenCoefficient, _mm_loadu_pd(evenBasis)));
        even23 = _mm_add_pd(even23, _mm_mul_pd(evenCoefficient, _mm_loadu_pd(evenBasis + 2)));
        odd01 = _mm_add_pd(odd01, _mm_mul_pd(oddCoefficient, _mm_loadu_pd(oddBasis)));
        odd23 = _mm_add_pd(odd23, _mm_mul_pd(oddCoefficient, _mm_loadu_pd(oddBasis + 2)));
    }
    _mm_storeu_pd(out, _mm_add_pd(even01, odd01));
    _mm_storeu_pd(out + 2, _mm_add_pd(even23, odd23));
    _mm_storeu_pd(out + 4, Reversed(_mm_sub_pd(even23, odd23)));
    _mm_storeu_pd(out + 6, Reversed(_mm_sub_pd(even01, odd01)));
}

void AddRows(const std::array<std::array<double, 8>, 4>& rows, const std::array<int, 4>& frequency,
             int count, int y, __m128d* sum) {
    for (int i = 0; i < count; ++i) {
        const __m128d weight = _mm_set1_pd(kColumnPass[static_cast<std::size_t>(
            frequency[static_cast<std::size_t>(i)])][static_cast<std::size_t>(y)]);
        const double* row = rows[static_cast<std::size_t>(i)].data();
        for (int k = 0; k < 4; ++k) {
            sum[k] = _mm_add_pd(sum[k], _mm_mul_pd(weight, _mm_loadu_pd(row + 2 * k)));
        }
    }
}

void StoreTruncated(__m128d value, std::int32_t* samples) {
    const __m128d limit = _mm_set1_pd(1.0e9);
    const __m128d clamped =
        _mm_min_pd(_mm_max_pd(value, _mm_sub_pd(_mm_setzero_pd(), limit)), limit);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(samples), _mm_cvttpd_epi32(clamped));
}

void ColumnPass(const HorizontalPass& pass, int levelShift, std::int32_t* samples, int stride) {
    const __m128d shift = _mm_set1_pd(static_cast<double>(levelShift));
    for (int y = 0; y < 4; ++y) {
        __m128d even[4] = {_mm_setzero_pd(), _mm_setzero_pd(), _mm_setzero_pd(), _mm_setzero_pd()};
        __m128d odd[4] = {_mm_setzero_pd(), _mm_setzero_pd(), _mm_setzero_pd(), _mm_setzero_pd()};
        AddRows(pass.even, pass.evenFrequency, pass.evenCount, y, even);
        AddRows(pass.odd, pass.oddFrequency, pass.oddCount, y, odd);
        std::int32_t* top = samples + y * stride;
        std::int32_t* bottom = samples + (7 - y) * stride;
        for (int k = 0; k < 4; ++k) {
            StoreTruncated(_mm_add_pd(_mm_add_pd(even[k], odd[k]), shift), top + 2 * k);
            StoreTruncated(_mm_add_pd(_mm_sub_pd(even[k], odd[k]), shift), bottom + 2 * k);
        }
    }
}
#endif

// Both forms share the block's bookkeeping; only the two passes differ.
template <void (*rowPass)(const std::int32_t*, const std::uint16_t*, double*),
          void (*columnPass)(const HorizontalPass&, int, std::int32_t*, int)>
void Transform(const CoefficientBlock& block, const std::uint16_t* quantisation, int levelShift,
               std::int32_t* samples, int stride) {
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
        rowPass(&block.values[static_cast<std::size_t>(8 * v)], quantisation + 8 * v,
                rows[static_cast<std::size_t>(count)].data());
        frequency[static_cast<std::size_t>(count++)] = v;
    }
    columnPass(pass, levelShift, samples, stride);
}

}  // namespace

void InverseTransformScalar(const CoefficientBlock& block, const std::uint16_t* quantisation,
                            int levelShift, std::int32_t* samples, int stride) {
    Transform<RowPassScalar, ColumnPassScalar>(block, quantisation, levelShift, samples, stride);
}

void InverseTransform(const CoefficientBlock& block, const std::uint16_t* quantisation,
                      int levelShift, std::int32_t* samples, int stride) {
#if KAOCG_JPEG_IDCT_SSE2
    Transform<RowPass, ColumnPass>(block, quantisation, levelShift, samples, stride);
#else
    InverseTransformScalar(block, quantisation, levelShift, samples, stride);
#endif
}

}  // namespace picture::jpeg
