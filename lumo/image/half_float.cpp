#include "lumo/image/half_float.h"

#include <bit>

namespace lumo {
namespace {

constexpr std::uint32_t kHalfExponentMask = 0x7C00;
constexpr std::uint32_t kHalfQuietBit = 0x0200;
constexpr int kFloatBias = 127;
constexpr int kHalfBias = 15;

// Shifts mantissa right by shift bits, rounding to nearest with ties to even. The carry out of
// the mantissa lands in the exponent field of the caller's sum, which is what rounding wants.
std::uint32_t ShiftRoundEven(std::uint32_t mantissa, int shift) {
    const std::uint32_t kept = mantissa >> shift;
    const std::uint32_t rest = mantissa & ((std::uint32_t{1} << shift) - 1);
    const std::uint32_t half = std::uint32_t{1} << (shift - 1);
    return kept + ((rest > half || (rest == half && (kept & 1))) ? 1 : 0);
}

}  // namespace

float HalfToFloat(std::uint16_t half) {
    const std::uint32_t sign = std::uint32_t{half & 0x8000u} << 16;
    const std::uint32_t exponent = (half >> 10) & 0x1F;
    std::uint32_t mantissa = half & 0x3FFu;
    if (exponent == 0x1F) {  // infinity or NaN, payload kept
        return std::bit_cast<float>(sign | 0x7F800000u | (mantissa << 13));
    }
    if (exponent != 0) {
        const std::uint32_t biased = exponent + (kFloatBias - kHalfBias);
        return std::bit_cast<float>(sign | (biased << 23) | (mantissa << 13));
    }
    if (mantissa == 0) {
        return std::bit_cast<float>(sign);
    }
    // A half subnormal is a normal float: move the leading one up to the hidden bit.
    std::uint32_t biased = kFloatBias - kHalfBias + 1;
    while ((mantissa & 0x400u) == 0) {
        mantissa <<= 1;
        --biased;
    }
    return std::bit_cast<float>(sign | (biased << 23) | ((mantissa & 0x3FFu) << 13));
}

std::uint16_t FloatToHalf(float value) {
    const std::uint32_t bits = std::bit_cast<std::uint32_t>(value);
    const std::uint32_t sign = (bits >> 16) & 0x8000u;
    const int exponent = static_cast<int>((bits >> 23) & 0xFF);
    const std::uint32_t mantissa = bits & 0x7FFFFFu;
    if (exponent == 0xFF) {
        if (mantissa == 0) {
            return static_cast<std::uint16_t>(sign | kHalfExponentMask);
        }
        // Keep the top of the payload; a payload living only in the low bits must still give
        // a NaN, not an infinity.
        std::uint32_t payload = mantissa >> 13;
        if (payload == 0) {
            payload = kHalfQuietBit;
        }
        return static_cast<std::uint16_t>(sign | kHalfExponentMask | payload);
    }
    const int unbiased = exponent - kFloatBias;
    if (unbiased > kHalfBias) {
        return static_cast<std::uint16_t>(sign | kHalfExponentMask);
    }
    if (unbiased >= 1 - kHalfBias) {
        const std::uint32_t biased = static_cast<std::uint32_t>(unbiased + kHalfBias);
        return static_cast<std::uint16_t>(sign + (biased << 10) + ShiftRoundEven(mantissa, 13));
    }
    // Half subnormal (units of 2^-24); below half of the smallest one everything rounds to 0.
    const int shift = -unbiased - 1;
    if (shift > 24) {
        return static_cast<std::uint16_t>(sign);
    }
    return static_cast<std::uint16_t>(sign | ShiftRoundEven(mantissa | 0x800000u, shift));
}

}  // namespace lumo
