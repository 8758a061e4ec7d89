#include "picture/jpeg_idct.h"

#include <algorithm>
#include <array>

#include "picture/jpeg_tables.h"

#include "picture/jpeg_simd.h"

#if KAOCG_JPEG_SSE2
#include <emmintrin.h>
#endif
#if KAOCG_JPEG_AVX2
#include <immintrin.h>
#endif

namespace picture::jpeg {
namespace {

// The one-dimensional transform of eight values, out[x] = sum over u of K(u) in[u] cos[u][x]
// times a factor, computed with the table's own cosines. It only uses the symmetries the
// six-digit table holds exactly (cos[u][7 - x] = (-1)^u cos[u][x], and the even rows are
// built from three values), so it sums the same products as the direct form, in another
// order: a sample can move only where the exact value lies within rounding of an integer.
struct Basis {
    double dc;                                 // K(0) cos[0][x], the same for every x
    double c4;                                 // cos[4][0]; cos[4][x] = +-c4
    double c2;                                 // cos[2][0] = cos[6][2]
    double c6;                                 // cos[2][1] = cos[6][0]
    std::array<std::array<double, 4>, 4> odd;  // cos[1, 3, 5, 7][x], x < 4
};

constexpr Basis MakeBasis(double factor) {
    Basis basis{};
    basis.dc = factor * kK0 * kCosine[0][0];
    basis.c4 = factor * kCosine[4][0];
    basis.c2 = factor * kCosine[2][0];
    basis.c6 = factor * kCosine[2][1];
    for (std::size_t i = 0; i < 4; ++i) {
        for (std::size_t x = 0; x < 4; ++x) {
            basis.odd[i][x] = factor * kCosine[2 * i + 1][x];
        }
    }
    return basis;
}

// The symmetries the even half relies on, checked on the table itself.
static_assert(kCosine[4][1] == -kCosine[4][0] && kCosine[4][2] == -kCosine[4][0] &&
              kCosine[4][3] == kCosine[4][0]);
static_assert(kCosine[2][2] == -kCosine[2][1] && kCosine[2][3] == -kCosine[2][0]);
static_assert(kCosine[6][0] == kCosine[2][1] && kCosine[6][1] == -kCosine[2][0] &&
              kCosine[6][2] == kCosine[2][0] && kCosine[6][3] == -kCosine[2][1]);
static_assert(kCosine[3][7] == -kCosine[3][0] && kCosine[6][7] == kCosine[6][0]);

constexpr Basis kFirstPass = MakeBasis(1.0);
constexpr Basis kSecondPass = MakeBasis(0.25);

// The basis in the arithmetic type of a pass: doubles, or vectors with every lane the same.
template <typename V>
struct BasisOf {
    V dc, c4, c2, c6;
    V odd[4][4];
};

template <typename V, typename Broadcast>
BasisOf<V> Spread(const Basis& basis, Broadcast broadcast) {
    BasisOf<V> spread{
        broadcast(basis.dc), broadcast(basis.c4), broadcast(basis.c2), broadcast(basis.c6), {}};
    for (std::size_t i = 0; i < 4; ++i) {
        for (std::size_t x = 0; x < 4; ++x) {
            spread.odd[i][x] = broadcast(basis.odd[i][x]);
        }
    }
    return spread;
}

#if defined(__GNUC__)
#define KAOCG_INLINE [[gnu::always_inline]] inline
#else
#define KAOCG_INLINE inline
#endif

// V is one double or a vector of them; every lane takes the same steps, so the scalar and the
// vector form give the same bits.
template <typename V>
KAOCG_INLINE void Transform8(const V* in, V* out, const BasisOf<V>& basis) {
    const V a = in[0] * basis.dc + in[4] * basis.c4;
    const V b = in[0] * basis.dc - in[4] * basis.c4;
    const V p = in[2] * basis.c2 + in[6] * basis.c6;
    const V q = in[2] * basis.c6 - in[6] * basis.c2;
    const V even0 = a + p;
    const V even1 = b + q;
    const V even2 = b - q;
    const V even3 = a - p;
    // Written out rather than looped: the compiler keeps every value in a register then.
    const V odd0 = in[1] * basis.odd[0][0] + in[3] * basis.odd[1][0] + in[5] * basis.odd[2][0] +
                   in[7] * basis.odd[3][0];
    const V odd1 = in[1] * basis.odd[0][1] + in[3] * basis.odd[1][1] + in[5] * basis.odd[2][1] +
                   in[7] * basis.odd[3][1];
    const V odd2 = in[1] * basis.odd[0][2] + in[3] * basis.odd[1][2] + in[5] * basis.odd[2][2] +
                   in[7] * basis.odd[3][2];
    const V odd3 = in[1] * basis.odd[0][3] + in[3] * basis.odd[1][3] + in[5] * basis.odd[2][3] +
                   in[7] * basis.odd[3][3];
    out[0] = even0 + odd0;
    out[7] = even0 - odd0;
    out[1] = even1 + odd1;
    out[6] = even1 - odd1;
    out[2] = even2 + odd2;
    out[5] = even2 - odd2;
    out[3] = even3 + odd3;
    out[4] = even3 - odd3;
}

// Garbage coefficients can sum far beyond any sample; clamping keeps the conversion to an
// integer defined without touching any value a real picture produces.
constexpr double kLimit = 1.0e9;

std::int32_t Truncate(double value) {
    return static_cast<std::int32_t>(std::min(std::max(value, -kLimit), kLimit));
}

void FillConstant(std::int32_t value, std::int32_t* samples, int stride) {
    for (int y = 0; y < 8; ++y, samples += stride) {
        for (int x = 0; x < 8; ++x) {
            samples[x] = value;
        }
    }
}

// Every sample is the same, computed as the direct sum computes it.
void TransformDcOnly(const CoefficientBlock& block, const std::uint16_t* quantisation,
                     int levelShift, std::int32_t* samples, int stride) {
    const double dc = static_cast<double>(block.values[0]) * quantisation[0];
    FillConstant(Truncate(0.25 * (kK0 * kK0 * dc) + levelShift), samples, stride);
}

#if KAOCG_JPEG_SSE2
// Two doubles; the operators are what Transform8 needs.
struct Pair {
    __m128d v;
};
Pair operator+(Pair a, Pair b) {
    return {_mm_add_pd(a.v, b.v)};
}
Pair operator-(Pair a, Pair b) {
    return {_mm_sub_pd(a.v, b.v)};
}
Pair operator*(Pair a, Pair b) {
    return {_mm_mul_pd(a.v, b.v)};
}

const BasisOf<Pair>& VectorBasis(bool second) {
    static const BasisOf<Pair> first =
        Spread<Pair>(kFirstPass, [](double value) { return Pair{_mm_set1_pd(value)}; });
    static const BasisOf<Pair> secondPass =
        Spread<Pair>(kSecondPass, [](double value) { return Pair{_mm_set1_pd(value)}; });
    return second ? secondPass : first;
}

// Columns u and u + 1 of row v, dequantised.
Pair LoadCoefficients(const std::int32_t* values, const std::uint16_t* quantisation) {
    const __m128i coefficients = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(values));
    const __m128d steps = _mm_set_pd(quantisation[1], quantisation[0]);
    return {_mm_mul_pd(_mm_cvtepi32_pd(coefficients), steps)};
}

void StoreSamples(__m128d value, __m128d shift, std::int32_t* samples) {
    const __m128d shifted = _mm_add_pd(value, shift);
    const __m128d clamped =
        _mm_min_pd(_mm_max_pd(shifted, _mm_set1_pd(-kLimit)), _mm_set1_pd(kLimit));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(samples), _mm_cvttpd_epi32(clamped));
}

// First the columns, two at a time; then the rows, two at a time, each pair of rows swapped
// into the lanes by 2 x 2 transposes.
void TransformVector(const CoefficientBlock& block, const std::uint16_t* quantisation,
                     int levelShift, std::int32_t* samples, int stride) {
    const BasisOf<Pair>& firstPass = VectorBasis(false);
    const BasisOf<Pair>& secondPass = VectorBasis(true);
    Pair columns[4][8];  // [column pair][row]: t[y][2k], t[y][2k + 1]
    for (std::size_t k = 0; k < 4; ++k) {
        if ((block.columnMask >> (2 * k) & 3u) == 0) {
            std::fill(std::begin(columns[k]), std::end(columns[k]), Pair{_mm_setzero_pd()});
            continue;
        }
        Pair in[8];
        for (std::size_t v = 0; v < 8; ++v) {
            in[v] = LoadCoefficients(&block.values[8 * v + 2 * k], quantisation + 8 * v + 2 * k);
        }
        Transform8(in, columns[k], firstPass);
    }
    const __m128d shift = _mm_set1_pd(static_cast<double>(levelShift));
    for (std::size_t y = 0; y < 8; y += 2) {
        Pair in[8];  // [u]: t[y][u], t[y + 1][u]
        for (std::size_t k = 0; k < 4; ++k) {
            in[2 * k] = {_mm_unpacklo_pd(columns[k][y].v, columns[k][y + 1].v)};
            in[2 * k + 1] = {_mm_unpackhi_pd(columns[k][y].v, columns[k][y + 1].v)};
        }
        Pair out[8];  // [x]: s[y][x], s[y + 1][x]
        Transform8(in, out, secondPass);
        std::int32_t* top = samples + static_cast<std::ptrdiff_t>(y) * stride;
        for (std::size_t x = 0; x < 8; x += 2) {
            StoreSamples(_mm_unpacklo_pd(out[x].v, out[x + 1].v), shift, top + x);
            StoreSamples(_mm_unpackhi_pd(out[x].v, out[x + 1].v), shift, top + stride + x);
        }
    }
}
#endif

#if KAOCG_JPEG_AVX2
struct Quad {
    __m256d v;
};
KAOCG_AVX2 inline Quad operator+(Quad a, Quad b) {
    return {_mm256_add_pd(a.v, b.v)};
}
KAOCG_AVX2 inline Quad operator-(Quad a, Quad b) {
    return {_mm256_sub_pd(a.v, b.v)};
}
KAOCG_AVX2 inline Quad operator*(Quad a, Quad b) {
    return {_mm256_mul_pd(a.v, b.v)};
}

// Built here rather than through Spread: a function compiled without AVX cannot pass these
// vectors around.
KAOCG_AVX2 BasisOf<Quad> SpreadQuad(const Basis& basis) {
    BasisOf<Quad> spread{{_mm256_set1_pd(basis.dc)},
                         {_mm256_set1_pd(basis.c4)},
                         {_mm256_set1_pd(basis.c2)},
                         {_mm256_set1_pd(basis.c6)},
                         {}};
    for (std::size_t i = 0; i < 4; ++i) {
        for (std::size_t x = 0; x < 4; ++x) {
            spread.odd[i][x] = {_mm256_set1_pd(basis.odd[i][x])};
        }
    }
    return spread;
}

KAOCG_AVX2 const BasisOf<Quad>& QuadBasis(bool second) {
    static const BasisOf<Quad> first = SpreadQuad(kFirstPass);
    static const BasisOf<Quad> secondPass = SpreadQuad(kSecondPass);
    return second ? secondPass : first;
}

// Columns 4g ... 4g + 3 of row v, dequantised.
KAOCG_AVX2 Quad LoadFourCoefficients(const std::int32_t* values,
                                     const std::uint16_t* quantisation) {
    const __m128i coefficients = _mm_loadu_si128(reinterpret_cast<const __m128i*>(values));
    const __m128i steps =
        _mm_cvtepu16_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(quantisation)));
    return {_mm256_mul_pd(_mm256_cvtepi32_pd(coefficients), _mm256_cvtepi32_pd(steps))};
}

// r0 ... r3 hold four values of a row each; out[j] gets value j of the four rows. Values in,
// values out: going through memory would stall on every narrower store a wide load follows.
KAOCG_AVX2 inline void Transpose4(Quad r0, Quad r1, Quad r2, Quad r3, Quad* out) {
    const __m256d t0 = _mm256_unpacklo_pd(r0.v, r1.v);
    const __m256d t1 = _mm256_unpackhi_pd(r0.v, r1.v);
    const __m256d t2 = _mm256_unpacklo_pd(r2.v, r3.v);
    const __m256d t3 = _mm256_unpackhi_pd(r2.v, r3.v);
    out[0].v = _mm256_permute2f128_pd(t0, t2, 0x20);
    out[1].v = _mm256_permute2f128_pd(t1, t3, 0x20);
    out[2].v = _mm256_permute2f128_pd(t0, t2, 0x31);
    out[3].v = _mm256_permute2f128_pd(t1, t3, 0x31);
}

KAOCG_AVX2 void StoreFourSamples(__m256d value, __m256d shift, std::int32_t* samples) {
    const __m256d shifted = _mm256_add_pd(value, shift);
    const __m256d clamped =
        _mm256_min_pd(_mm256_max_pd(shifted, _mm256_set1_pd(-kLimit)), _mm256_set1_pd(kLimit));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(samples), _mm256_cvttpd_epi32(clamped));
}

// As the two-lane form, four columns and then four rows at a time.
KAOCG_AVX2 void TransformAvx2(const CoefficientBlock& block, const std::uint16_t* quantisation,
                              int levelShift, std::int32_t* samples, int stride) {
    const BasisOf<Quad>& firstPass = QuadBasis(false);
    const BasisOf<Quad>& secondPass = QuadBasis(true);
    Quad columns[2][8];  // [column group][row]: t[y][4g ... 4g + 3]
    bool used[2];
    for (std::size_t g = 0; g < 2; ++g) {
        used[g] = (block.columnMask >> (4 * g) & 15u) != 0;
        if (!used[g]) {
            continue;
        }
        Quad in[8];
        for (std::size_t v = 0; v < 8; ++v) {
            in[v] =
                LoadFourCoefficients(&block.values[8 * v + 4 * g], quantisation + 8 * v + 4 * g);
        }
        Transform8(in, columns[g], firstPass);
    }
    const Quad zero{_mm256_setzero_pd()};
    const __m256d shift = _mm256_set1_pd(static_cast<double>(levelShift));
    for (std::size_t y = 0; y < 8; y += 4) {
        Quad in[8];  // [u]: t[y ... y + 3][u]
        for (std::size_t g = 0; g < 2; ++g) {
            if (used[g]) {
                const Quad* rows = &columns[g][y];
                Transpose4(rows[0], rows[1], rows[2], rows[3], &in[4 * g]);
            } else {
                in[4 * g] = in[4 * g + 1] = in[4 * g + 2] = in[4 * g + 3] = zero;
            }
        }
        Quad out[8];  // [x]: s[y ... y + 3][x]
        Transform8(in, out, secondPass);
        Quad left[4];
        Quad right[4];
        Transpose4(out[0], out[1], out[2], out[3], left);
        Transpose4(out[4], out[5], out[6], out[7], right);
        for (std::size_t i = 0; i < 4; ++i) {
            std::int32_t* row = samples + static_cast<std::ptrdiff_t>(y + i) * stride;
            StoreFourSamples(left[i].v, shift, row);
            StoreFourSamples(right[i].v, shift, row + 4);
        }
    }
}
#endif

}  // namespace

void InverseTransformScalar(const CoefficientBlock& block, const std::uint16_t* quantisation,
                            int levelShift, std::int32_t* samples, int stride) {
    if (block.dcOnly) {
        TransformDcOnly(block, quantisation, levelShift, samples, stride);
        return;
    }
    static const BasisOf<double> firstPass =
        Spread<double>(kFirstPass, [](double value) { return value; });
    static const BasisOf<double> secondPass =
        Spread<double>(kSecondPass, [](double value) { return value; });
    double columns[8][8]{};  // [x][y] after the first pass
    for (std::size_t u = 0; u < 8; ++u) {
        if ((block.columnMask >> u & 1u) == 0) {
            continue;
        }
        double in[8];
        for (std::size_t v = 0; v < 8; ++v) {
            in[v] = static_cast<double>(block.values[8 * v + u]) * quantisation[8 * v + u];
        }
        Transform8(in, columns[u], firstPass);
    }
    for (std::size_t y = 0; y < 8; ++y) {
        double in[8];
        for (std::size_t u = 0; u < 8; ++u) {
            in[u] = columns[u][y];
        }
        double out[8];
        Transform8(in, out, secondPass);
        std::int32_t* row = samples + static_cast<std::ptrdiff_t>(y) * stride;
        for (std::size_t x = 0; x < 8; ++x) {
            row[x] = Truncate(out[x] + levelShift);
        }
    }
}

bool TransformPathAvailable(TransformPath path) {
    switch (path) {
        case TransformPath::kScalar:
            return true;
        case TransformPath::kSse2:
#if KAOCG_JPEG_SSE2
            return true;
#else
            return false;
#endif
        case TransformPath::kAvx2:
#if KAOCG_JPEG_AVX2
            return ProcessorHasAvx2();
#else
            return false;
#endif
    }
    return false;
}

void InverseTransformOn(TransformPath path, const CoefficientBlock& block,
                        const std::uint16_t* quantisation, int levelShift, std::int32_t* samples,
                        int stride) {
    if (block.dcOnly) {
        TransformDcOnly(block, quantisation, levelShift, samples, stride);
        return;
    }
#if KAOCG_JPEG_AVX2
    if (path == TransformPath::kAvx2 && ProcessorHasAvx2()) {
        TransformAvx2(block, quantisation, levelShift, samples, stride);
        return;
    }
#endif
#if KAOCG_JPEG_SSE2
    if (path != TransformPath::kScalar) {
        TransformVector(block, quantisation, levelShift, samples, stride);
        return;
    }
#endif
    InverseTransformScalar(block, quantisation, levelShift, samples, stride);
}

void InverseTransform(const CoefficientBlock& block, const std::uint16_t* quantisation,
                      int levelShift, std::int32_t* samples, int stride) {
    InverseTransformOn(TransformPath::kAvx2, block, quantisation, levelShift, samples, stride);
}

}  // namespace picture::jpeg
