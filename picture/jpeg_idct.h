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

// The same transform without vector instructions; InverseTransform uses it where the processor
// has none it knows. Both give the same samples, bit for bit.
void InverseTransformScalar(const CoefficientBlock& block, const std::uint16_t* quantisation,
                            int levelShift, std::int32_t* samples, int stride);

}  // namespace picture::jpeg
