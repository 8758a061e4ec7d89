#pragma once

#include <array>
#include <cstdint>

namespace picture::jpeg {

// One block as the entropy decoder leaves it: the decoded values in natural order, not yet
// dequantised, and what is known about where the non-zero ones are.
struct CoefficientBlock {
    std::array<std::int32_t, 64> values;
    unsigned columnMask;  // bit u set when column u may hold a non-zero value
    bool dcOnly;          // every value but the first is zero
};

// The inverse DCT of one block, in its separable form: the double-precision sum of the direct
// formula in a different order, leaving out the columns that are all zero. Writes 8 rows of 8
// samples, level shifted and truncated toward zero, stride samples apart.
void InverseTransform(const CoefficientBlock& block, const std::uint16_t* quantisation,
                      int levelShift, std::int32_t* samples, int stride);

// The same transform without vector instructions. Every path gives the same samples, bit for
// bit; InverseTransform takes the widest vectors the processor has.
void InverseTransformScalar(const CoefficientBlock& block, const std::uint16_t* quantisation,
                            int levelShift, std::int32_t* samples, int stride);

enum class TransformPath { kScalar, kSse2, kAvx2 };
bool TransformPathAvailable(TransformPath path);
// The transform on the given path, or on the next narrower one where it is not available.
void InverseTransformOn(TransformPath path, const CoefficientBlock& block,
                        const std::uint16_t* quantisation, int levelShift, std::int32_t* samples,
                        int stride);

}  // namespace picture::jpeg
