#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace picture::jpeg {

// Where converted pixels go: the red, green and blue byte of the top-left pixel, and the steps
// in bytes to the pixel on its right and to the one below it (negative for a picture stored
// bottom row first). Three planes and one interleaved B, G, R picture are both layouts.
struct PixelLayout {
    std::array<std::uint8_t*, 3> origin{};  // red, green, blue
    std::ptrdiff_t pixelStep = 1;
    std::ptrdiff_t rowStep = 0;
};

// Memory for the converted pixels, asked for once the scan has been found to be able to hold
// the frame, so that a forged size in a tiny file never allocates.
class PixelTarget {
public:
    // False when there is no memory for width x height pixels.
    virtual bool Prepare(int width, int height, PixelLayout& layout) = 0;

protected:
    ~PixelTarget() = default;
};

// count pixels of one output row, starting at the given bytes, step bytes apart.
struct RgbRow {
    std::uint8_t* red;
    std::uint8_t* green;
    std::uint8_t* blue;
    std::ptrdiff_t step;
};

// What Cb, Cr samples add to a pixel's luma for red, green and blue before clamping, one
// array per colour. The format's constants (1.402, 0.3441, 0.7139, 1.7718) are exact in
// 1/10000, so the terms are computed exactly in integers: luma + term is the floor of the
// decimal sum, which is the truncation toward zero the samples need once clamped to 0 ... 255.
struct ChromaTerms {
    std::int16_t* red;
    std::int16_t* green;
    std::int16_t* blue;
};

// Terms for count Cb, Cr pairs.
void ComputeChromaTerms(const std::int32_t* cb, const std::int32_t* cr, int count,
                        ChromaTerms terms);

// One row of pixels: R, G, B = luma[q] + the terms of chroma column q / chromaDivisor,
// clamped to 0 ... 255. chromaDivisor is 1 or 2. When mayWritePastEnd is true, the byte after
// the last pixel of `out` may be overwritten (it belongs to a pixel written later), which lets
// an interleaved row be stored four bytes at a time.
void ConvertColourRow(const std::int32_t* luma, const ChromaTerms& terms, int chromaDivisor,
                      int count, RgbRow out, bool mayWritePastEnd);

// Components stored as R, G, B (an Adobe segment with transform 0), each clamped.
void ConvertPlainRgbRow(const std::int32_t* red, const std::int32_t* green,
                        const std::int32_t* blue, int count, RgbRow out);

// A grey picture: R = G = B = Y, clamped.
void ConvertGreyRow(const std::int32_t* luma, int count, RgbRow out);

}  // namespace picture::jpeg
