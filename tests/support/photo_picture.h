#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

namespace testsupport {

// A picture in memory: interleaved samples (R, G, B or one grey sample), top row first.
struct RawPicture {
    int width = 0;
    int height = 0;
    int channels = 3;
    std::vector<std::uint8_t> samples;

    const std::uint8_t* At(int x, int y) const {
        return samples.data() + (static_cast<std::size_t>(y) * width + x) * channels;
    }
};

namespace detail {

// Value noise: random values on a lattice `spacing` pixels apart, smoothly interpolated.
class ValueNoise {
public:
    ValueNoise(int width, int height, int spacing, std::mt19937& random)
        : m_spacing(spacing), m_columns(width / spacing + 2) {
        std::uniform_real_distribution<float> value(-1.0f, 1.0f);
        m_lattice.resize(static_cast<std::size_t>(m_columns) * (height / spacing + 2));
        for (float& v : m_lattice) {
            v = value(random);
        }
    }

    float At(int x, int y) const {
        const int cx = x / m_spacing;
        const int cy = y / m_spacing;
        const float fx = Smooth(static_cast<float>(x % m_spacing) / m_spacing);
        const float fy = Smooth(static_cast<float>(y % m_spacing) / m_spacing);
        const float* row = m_lattice.data() + static_cast<std::size_t>(cy) * m_columns + cx;
        const float top = row[0] + (row[1] - row[0]) * fx;
        const float bottom = row[m_columns] + (row[m_columns + 1] - row[m_columns]) * fx;
        return top + (bottom - top) * fy;
    }

private:
    static float Smooth(float t) { return t * t * (3.0f - 2.0f * t); }

    int m_spacing;
    int m_columns;
    std::vector<float> m_lattice;
};

// Octaves of value noise, each half the size and half the strength of the one before.
class FractalNoise {
public:
    FractalNoise(int width, int height, std::mt19937& random) {
        for (int spacing = 128; spacing >= 2; spacing /= 2) {
            m_octaves.emplace_back(width, height, spacing, random);
        }
    }

    float At(int x, int y) const {
        float sum = 0.0f;
        float amplitude = 0.5f;
        for (const ValueNoise& octave : m_octaves) {
            sum += amplitude * octave.At(x, y);
            amplitude *= 0.5f;
        }
        return sum;
    }

private:
    std::vector<ValueNoise> m_octaves;
};

inline std::uint8_t ToSample(float value) {
    return static_cast<std::uint8_t>(std::clamp(std::lround(value), 0L, 255L));
}

}  // namespace detail

// Something with the statistics of a photograph: smooth colour gradients, fractal detail at
// every scale and per-pixel grain of up to +-grainSize. The same seed gives the same picture.
inline RawPicture MakePhotoLikePicture(int width, int height, std::uint32_t seed = 1,
                                       float grainSize = 3.0f) {
    std::mt19937 random(seed);
    const detail::FractalNoise shape(width, height, random);
    const detail::FractalNoise tint(width, height, random);
    std::uniform_real_distribution<float> grain(-grainSize, grainSize);
    RawPicture picture{width, height, 3, {}};
    picture.samples.resize(static_cast<std::size_t>(width) * height * 3);
    std::uint8_t* out = picture.samples.data();
    for (int y = 0; y < height; ++y) {
        const float down = static_cast<float>(y) / height;
        for (int x = 0; x < width; ++x) {
            const float across = static_cast<float>(x) / width;
            const float detail = 110.0f * shape.At(x, y);
            const float colour = 60.0f * tint.At(x, y);
            *out++ = detail::ToSample(70 + 120 * across + detail + colour + grain(random));
            *out++ = detail::ToSample(60 + 110 * down + detail * 0.9f + grain(random));
            *out++ = detail::ToSample(150 - 80 * across + detail * 0.7f - colour + grain(random));
        }
    }
    return picture;
}

}  // namespace testsupport
