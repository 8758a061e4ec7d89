#pragma once

// The block side of the test encoder: colour conversion, sampling, forward DCT and
// quantisation.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <string>
#include <vector>

#include "support/photo_picture.h"

namespace testsupport::jpeg {

struct EncodeOptions {
    int components = 3;  // 1: grey (the luma of an RGB picture), 3: Y, Cb, Cr
    int lumaH = 1;       // Y sampling factors; Cb and Cr are 1 x 1. 4:2:2 is 2 x 1, 4:2:0 2 x 2.
    int lumaV = 1;       // For a grey picture only written into the frame header.
    int quality = 90;    // 1 ... 100, scaling the usual example tables
    int restartInterval = 0;
    // Huffman table destinations of Y, Cb and Cr.
    std::array<int, 3> dcTable{0, 1, 1};
    std::array<int, 3> acTable{0, 1, 1};
    bool jfif = true;
    bool jfxx = false;  // a JFXX APP0 segment before the tables
    std::string comment;
};

namespace detail {

inline constexpr std::array<std::uint8_t, 64> kZigZag = {
    0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  12, 19, 26, 33, 40, 48,
    41, 34, 27, 20, 13, 6,  7,  14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23,
    30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

inline constexpr std::array<int, 64> kLumaQuantisation = {
    16, 11, 10, 16, 24,  40,  51,  61,  12, 12, 14, 19, 26,  58,  60,  55,
    14, 13, 16, 24, 40,  57,  69,  56,  14, 17, 22, 29, 51,  87,  80,  62,
    18, 22, 37, 56, 68,  109, 103, 77,  24, 35, 55, 64, 81,  104, 113, 92,
    49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99};

inline constexpr std::array<int, 64> kChromaQuantisation = {
    17, 18, 24, 47, 99, 99, 99, 99, 18, 21, 26, 66, 99, 99, 99, 99, 24, 26, 56, 99, 99, 99,
    99, 99, 47, 66, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99,
    99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99};

// Natural order.
inline std::array<int, 64> ScaledQuantisation(const std::array<int, 64>& base, int quality) {
    quality = std::clamp(quality, 1, 100);
    const int scale = quality < 50 ? 5000 / quality : 200 - 2 * quality;
    std::array<int, 64> table;
    for (int i = 0; i < 64; ++i) {
        table[i] = std::clamp((base[i] * scale + 50) / 100, 1, 255);
    }
    return table;
}

// One component's samples at its own resolution, covering whole blocks.
struct Plane {
    int h = 1;
    int v = 1;
    int blocksAcross = 0;
    int blocksDown = 0;
    std::vector<float> samples;  // (8 * blocksAcross) per row

    float At(int x, int y) const {
        return samples[static_cast<std::size_t>(y) * (8 * blocksAcross) + x];
    }
};

inline float ComponentOf(const RawPicture& picture, int component, int x, int y) {
    const std::uint8_t* p =
        picture.At(std::min(x, picture.width - 1), std::min(y, picture.height - 1));
    if (picture.channels == 1) {
        return component == 0 ? p[0] : 128.0f;
    }
    const float r = p[0], g = p[1], b = p[2];
    switch (component) {
        case 0:
            return 0.299f * r + 0.587f * g + 0.114f * b;
        case 1:
            return -0.168736f * r - 0.331264f * g + 0.5f * b + 128.0f;
        default:
            return 0.5f * r - 0.418688f * g - 0.081312f * b + 128.0f;
    }
}

// Edge pixels repeat past the picture; a component sampled below the largest factor takes the
// mean of the pixels each of its samples covers.
inline Plane MakePlane(const RawPicture& picture, int component, int h, int v, int hMax, int vMax,
                       int blocksAcross, int blocksDown) {
    Plane plane{h, v, blocksAcross, blocksDown, {}};
    const int fx = hMax / h;
    const int fy = vMax / v;
    const int width = 8 * blocksAcross;
    plane.samples.resize(static_cast<std::size_t>(width) * 8 * blocksDown);
    for (int y = 0; y < 8 * blocksDown; ++y) {
        for (int x = 0; x < width; ++x) {
            float sum = 0.0f;
            for (int dy = 0; dy < fy; ++dy) {
                for (int dx = 0; dx < fx; ++dx) {
                    sum += ComponentOf(picture, component, x * fx + dx, y * fy + dy);
                }
            }
            plane.samples[static_cast<std::size_t>(y) * width + x] = sum / (fx * fy);
        }
    }
    return plane;
}

// Forward DCT and quantisation of the block at block column bx, row by; zig-zag order out.
inline std::array<int, 64> QuantisedBlock(const Plane& plane, int bx, int by,
                                          const std::array<int, 64>& quantisation) {
    static const std::array<std::array<double, 8>, 8> cosine = [] {
        std::array<std::array<double, 8>, 8> table{};
        for (int u = 0; u < 8; ++u) {
            for (int x = 0; x < 8; ++x) {
                table[u][x] = std::cos((2 * x + 1) * u * std::numbers::pi / 16);
            }
        }
        return table;
    }();
    double rows[8][8];  // [y][u]
    for (int y = 0; y < 8; ++y) {
        for (int u = 0; u < 8; ++u) {
            double sum = 0;
            for (int x = 0; x < 8; ++x) {
                sum += (plane.At(8 * bx + x, 8 * by + y) - 128.0) * cosine[u][x];
            }
            rows[y][u] = sum;
        }
    }
    std::array<int, 64> out;
    for (int k = 0; k < 64; ++k) {
        const int u = kZigZag[k] % 8;
        const int v = kZigZag[k] / 8;
        double sum = 0;
        for (int y = 0; y < 8; ++y) {
            sum += rows[y][u] * cosine[v][y];
        }
        const double cu = u == 0 ? (1 / std::numbers::sqrt2) : 1.0;
        const double cv = v == 0 ? (1 / std::numbers::sqrt2) : 1.0;
        out[k] = static_cast<int>(std::lround(0.25 * cu * cv * sum / quantisation[kZigZag[k]]));
    }
    return out;
}

struct CodedBlock {
    int component;
    std::array<int, 64> values;  // zig-zag order
};

inline int SizeOf(int value) {
    int size = 0;
    for (int magnitude = std::abs(value); magnitude != 0; magnitude >>= 1) {
        ++size;
    }
    return size;
}

// The bits a value of the given size is written with: negative values as value - 1.
inline std::uint32_t ValueBits(int value, int size) {
    return static_cast<std::uint32_t>(value < 0 ? value - 1 : value) & ((1u << size) - 1);
}

}  // namespace detail
}  // namespace testsupport::jpeg
