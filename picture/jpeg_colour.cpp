#include "picture/jpeg_colour.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "picture/jpeg_simd.h"

#if KAOCG_JPEG_SSE2
#include <emmintrin.h>
#endif
#if KAOCG_JPEG_AVX2
#include <immintrin.h>
#endif

namespace picture::jpeg {
namespace {

// Chroma of real pictures stays within a few hundred of 128. Garbage samples (up to 1e9 after
// the transform) are held to this range, which keeps every term inside 16 bits; their pixels
// clamp to 0 or 255 anyway.
constexpr std::int32_t kChromaLow = -512;
constexpr std::int32_t kChromaHigh = 767;
constexpr std::size_t kChromaValues = kChromaHigh - kChromaLow + 1;

constexpr std::int32_t FloorDiv(std::int32_t numerator, std::int32_t denominator) {
    const std::int32_t quotient = numerator / denominator;
    return (numerator % denominator != 0 && numerator < 0) ? quotient - 1 : quotient;
}

// Per chroma value: the red and blue terms, and the two parts of the green one in 1/10000.
struct TermTables {
    std::array<std::int16_t, kChromaValues> red{};
    std::array<std::int16_t, kChromaValues> blue{};
    std::array<std::int32_t, kChromaValues> greenOfCb{};
    std::array<std::int32_t, kChromaValues> greenOfCr{};
};

constexpr TermTables MakeTermTables() {
    TermTables tables;
    for (std::size_t i = 0; i < kChromaValues; ++i) {
        const std::int32_t difference = static_cast<std::int32_t>(i) + kChromaLow - 128;
        tables.red[i] = static_cast<std::int16_t>(FloorDiv(14020 * difference, 10000));
        tables.blue[i] = static_cast<std::int16_t>(FloorDiv(17718 * difference, 10000));
        tables.greenOfCb[i] = -3441 * difference;
        tables.greenOfCr[i] = -7139 * difference;
    }
    return tables;
}

constexpr TermTables kTerms = MakeTermTables();

std::size_t ChromaIndex(std::int32_t sample) {
    return static_cast<std::size_t>(std::clamp(sample, kChromaLow, kChromaHigh) - kChromaLow);
}

std::uint8_t ClampToByte(std::int32_t value) {
    return static_cast<std::uint8_t>(std::clamp(value, 0, 255));
}

void ConvertPixels(const std::int32_t* luma, const ChromaTerms& terms, int chromaDivisor, int first,
                   int count, RgbRow out) {
    for (int q = first; q < count; ++q) {
        const int c = q / chromaDivisor;
        const std::ptrdiff_t at = q * out.step;
        out.red[at] = ClampToByte(luma[q] + terms.red[c]);
        out.green[at] = ClampToByte(luma[q] + terms.green[c]);
        out.blue[at] = ClampToByte(luma[q] + terms.blue[c]);
    }
}

#if KAOCG_JPEG_SSE2
// Eight pixels at a time. Packing to 16 bits and then to bytes with saturation is the clamp:
// real lumas and terms stay far inside 16 bits, so the sums are those of the scalar form.

__m128i LoadLuma(const std::int32_t* luma) {
    const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(luma));
    const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(luma + 4));
    return _mm_packs_epi32(low, high);
}

// The terms of eight pixels: eight chroma columns, or four each repeated twice.
__m128i LoadTerms(const std::int16_t* terms, int chromaDivisor) {
    if (chromaDivisor == 1) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(terms));
    }
    const __m128i four = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(terms));
    return _mm_unpacklo_epi16(four, four);
}

__m128i Channel(__m128i luma, const std::int16_t* terms, int chromaDivisor) {
    return _mm_packus_epi16(_mm_adds_epi16(luma, LoadTerms(terms, chromaDivisor)),
                            _mm_setzero_si128());
}

void StoreFourPixels(__m128i bgrx, std::uint8_t* out) {
    for (int i = 0; i < 4; ++i, out += 3) {
        const std::uint32_t pixel = static_cast<std::uint32_t>(_mm_cvtsi128_si32(bgrx));
        std::memcpy(out, &pixel, 4);
        bgrx = _mm_srli_si128(bgrx, 4);
    }
}

// B, G, R, x dwords written three bytes apart, each x overwritten by the next pixel's blue.
void StoreInterleaved(__m128i red, __m128i green, __m128i blue, std::uint8_t* out) {
    const __m128i blueGreen = _mm_unpacklo_epi8(blue, green);
    const __m128i redZero = _mm_unpacklo_epi8(red, _mm_setzero_si128());
    StoreFourPixels(_mm_unpacklo_epi16(blueGreen, redZero), out);
    StoreFourPixels(_mm_unpackhi_epi16(blueGreen, redZero), out + 12);
}

// How many leading pixels the vector loop converted.
int ConvertPixelsSse2(const std::int32_t* luma, const ChromaTerms& terms, int chromaDivisor,
                      int count, RgbRow out, bool mayWritePastEnd) {
    const bool planes = out.step == 1;
    const bool interleaved = out.step == 3 && out.green == out.blue + 1 && out.red == out.blue + 2;
    if (!planes && !interleaved) {
        return 0;
    }
    // An interleaved store writes one byte past its eighth pixel.
    const int limit = (interleaved && !mayWritePastEnd) ? count - 1 : count;
    int q = 0;
    for (; q + 8 <= limit; q += 8) {
        const __m128i y = LoadLuma(luma + q);
        const int c = q / chromaDivisor;
        const __m128i red = Channel(y, terms.red + c, chromaDivisor);
        const __m128i green = Channel(y, terms.green + c, chromaDivisor);
        const __m128i blue = Channel(y, terms.blue + c, chromaDivisor);
        if (planes) {
            _mm_storel_epi64(reinterpret_cast<__m128i*>(out.red + q), red);
            _mm_storel_epi64(reinterpret_cast<__m128i*>(out.green + q), green);
            _mm_storel_epi64(reinterpret_cast<__m128i*>(out.blue + q), blue);
        } else {
            StoreInterleaved(red, green, blue, out.blue + 3 * q);
        }
    }
    return q;
}
#endif

#if KAOCG_JPEG_AVX2
// floor(n / 10000) for |n| < 2^24: n is exact in single precision, and the correctly rounded
// quotient (below 2048) lies within 6.2e-5 of the exact one, whose distance to the next
// integer is at least 1e-4 unless it is one. So the floor is exact.
KAOCG_AVX2 __m256i FloorTenThousandths(__m256i numerator) {
    const __m256 quotient = _mm256_div_ps(_mm256_cvtepi32_ps(numerator), _mm256_set1_ps(10000.0f));
    return _mm256_cvtps_epi32(_mm256_floor_ps(quotient));
}

KAOCG_AVX2 __m256i LoadDifference(const std::int32_t* chroma) {
    const __m256i samples = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(chroma));
    const __m256i clamped = _mm256_min_epi32(
        _mm256_max_epi32(samples, _mm256_set1_epi32(kChromaLow)), _mm256_set1_epi32(kChromaHigh));
    return _mm256_sub_epi32(clamped, _mm256_set1_epi32(128));
}

KAOCG_AVX2 void StoreTerms(__m256i terms, std::int16_t* out) {
    const __m256i packed = _mm256_permute4x64_epi64(_mm256_packs_epi32(terms, terms), 0x08);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm256_castsi256_si128(packed));
}

// The terms of the first pairs, eight at a time, computed rather than looked up; the same
// exact floors as the tables. Returns how many it did.
KAOCG_AVX2 int ComputeChromaTermsAvx2(const std::int32_t* cb, const std::int32_t* cr, int count,
                                      ChromaTerms terms) {
    int i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m256i blue = LoadDifference(cb + i);
        const __m256i red = LoadDifference(cr + i);
        const __m256i green = _mm256_add_epi32(_mm256_mullo_epi32(blue, _mm256_set1_epi32(-3441)),
                                               _mm256_mullo_epi32(red, _mm256_set1_epi32(-7139)));
        StoreTerms(FloorTenThousandths(_mm256_mullo_epi32(red, _mm256_set1_epi32(14020))),
                   terms.red + i);
        StoreTerms(FloorTenThousandths(green), terms.green + i);
        StoreTerms(FloorTenThousandths(_mm256_mullo_epi32(blue, _mm256_set1_epi32(17718))),
                   terms.blue + i);
    }
    return i;
}

// B, G, R of eight pixels from their 16-bit sums: the clamp by saturation as in the SSE2
// form, then a byte shuffle drops every fourth byte, so exactly 24 bytes are written.
KAOCG_AVX2 void StoreInterleavedExact(__m128i red, __m128i green, __m128i blue, std::uint8_t* out) {
    const __m128i blueGreen = _mm_unpacklo_epi8(blue, green);
    const __m128i redZero = _mm_unpacklo_epi8(red, _mm_setzero_si128());
    const __m128i drop = _mm_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
    const __m128i first = _mm_shuffle_epi8(_mm_unpacklo_epi16(blueGreen, redZero), drop);
    const __m128i second = _mm_shuffle_epi8(_mm_unpackhi_epi16(blueGreen, redZero), drop);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out),
                     _mm_or_si128(first, _mm_slli_si128(second, 12)));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out + 16), _mm_srli_si128(second, 4));
}

KAOCG_AVX2 int ConvertInterleavedAvx2(const std::int32_t* luma, const ChromaTerms& terms,
                                      int chromaDivisor, int count, std::uint8_t* out) {
    int q = 0;
    for (; q + 8 <= count; q += 8) {
        const __m128i y = LoadLuma(luma + q);
        const int c = q / chromaDivisor;
        StoreInterleavedExact(Channel(y, terms.red + c, chromaDivisor),
                              Channel(y, terms.green + c, chromaDivisor),
                              Channel(y, terms.blue + c, chromaDivisor), out + 3 * q);
    }
    return q;
}
#endif

}  // namespace

void ComputeChromaTerms(const std::int32_t* cb, const std::int32_t* cr, int count,
                        ChromaTerms terms) {
    // The green sum is floored through an unsigned division: the bias makes every sum
    // positive (the parts stay within +-6.8 million).
    constexpr std::int32_t kBiasUnits = 1000;
    int i = 0;
#if KAOCG_JPEG_AVX2
    if (ProcessorHasAvx2()) {
        i = ComputeChromaTermsAvx2(cb, cr, count, terms);
    }
#endif
    for (; i < count; ++i) {
        const std::size_t blue = ChromaIndex(cb[i]);
        const std::size_t red = ChromaIndex(cr[i]);
        const auto biased = static_cast<std::uint32_t>(kTerms.greenOfCb[blue] +
                                                       kTerms.greenOfCr[red] + 10000 * kBiasUnits);
        terms.red[i] = kTerms.red[red];
        terms.green[i] =
            static_cast<std::int16_t>(static_cast<std::int32_t>(biased / 10000) - kBiasUnits);
        terms.blue[i] = kTerms.blue[blue];
    }
}

void ConvertColourRow(const std::int32_t* luma, const ChromaTerms& terms, int chromaDivisor,
                      int count, RgbRow out, bool mayWritePastEnd) {
    int done = 0;
#if KAOCG_JPEG_AVX2
    const bool interleaved = out.step == 3 && out.green == out.blue + 1 && out.red == out.blue + 2;
    if (interleaved && ProcessorHasAvx2()) {
        done = ConvertInterleavedAvx2(luma, terms, chromaDivisor, count, out.blue);
        ConvertPixels(luma, terms, chromaDivisor, done, count, out);
        return;
    }
#endif
#if KAOCG_JPEG_SSE2
    done = ConvertPixelsSse2(luma, terms, chromaDivisor, count, out, mayWritePastEnd);
#else
    (void)mayWritePastEnd;
#endif
    ConvertPixels(luma, terms, chromaDivisor, done, count, out);
}

void ConvertPlainRgbRow(const std::int32_t* red, const std::int32_t* green,
                        const std::int32_t* blue, int count, RgbRow out) {
    for (int q = 0; q < count; ++q) {
        const std::ptrdiff_t at = q * out.step;
        out.red[at] = ClampToByte(red[q]);
        out.green[at] = ClampToByte(green[q]);
        out.blue[at] = ClampToByte(blue[q]);
    }
}

void ConvertGreyRow(const std::int32_t* luma, int count, RgbRow out) {
    for (int q = 0; q < count; ++q) {
        const std::uint8_t value = ClampToByte(luma[q]);
        const std::ptrdiff_t at = q * out.step;
        out.red[at] = value;
        out.green[at] = value;
        out.blue[at] = value;
    }
}

}  // namespace picture::jpeg
