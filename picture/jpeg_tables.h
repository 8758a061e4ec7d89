#pragma once

#include <array>
#include <cstdint>

namespace picture::jpeg {

// Position in the entropy-coded stream -> natural (row-major) index in the 8 x 8 block.
inline constexpr std::array<std::uint8_t, 64> kZigZag = {
    0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  12, 19, 26, 33, 40, 48,
    41, 34, 27, 20, 13, 6,  7,  14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23,
    30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

// The DCT normalisation for frequency 0. Its last digits differ slightly from 1/sqrt(2). Samples
// are truncated, not rounded, after the transform, so they depend on these digits: keep them.
inline constexpr double kK0 = 0.707106782373095;

namespace detail {
// cos(k * pi / 16) for k = 0 ... 8, rounded to six significant digits.
inline constexpr double kCosine16[9] = {1.0,     0.980785, 0.92388, 0.83147, 0.707107,
                                        0.55557, 0.382683, 0.19509, 0.0};

constexpr double CosineOfSixteenths(int k) {
    k %= 32;
    if (k > 16) {
        k = 32 - k;
    }
    return k > 8 ? -kCosine16[16 - k] : kCosine16[k];
}

constexpr std::array<std::array<double, 8>, 8> MakeCosineTable() {
    std::array<std::array<double, 8>, 8> table{};
    for (int u = 0; u < 8; ++u) {
        for (int x = 0; x < 8; ++x) {
            table[u][x] = CosineOfSixteenths((2 * x + 1) * u);
        }
    }
    return table;
}
}  // namespace detail

// kCosine[u][x] = cos((2x + 1) u pi / 16), six significant digits.
inline constexpr std::array<std::array<double, 8>, 8> kCosine = detail::MakeCosineTable();

}  // namespace picture::jpeg
