#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <vector>

#include "picture/jpeg_decoder.h"
#include "picture/jpeg_tables.h"
#include "support/jpeg_encoder.h"
#include "support/photo_picture.h"

namespace picture::testing {

using Bytes = std::vector<std::uint8_t>;
using testsupport::RawPicture;
using testsupport::jpeg::EncodeOptions;

// A decoder that has run both stages on a file, with the result of each.
struct Decoded {
    std::unique_ptr<JpegDecoder> decoder = std::make_unique<JpegDecoder>();
    int headerResult = -100;
    int decodeResult = -100;

    bool Ok() const { return headerResult == 0 && decodeResult == 0; }
    // R, G, B of pixel (x, y).
    std::array<int, 3> Pixel(int x, int y) const {
        const std::size_t i = static_cast<std::size_t>(y) * decoder->Width() + x;
        return {decoder->Plane(0)[i], decoder->Plane(1)[i], decoder->Plane(2)[i]};
    }
};

inline Decoded DecodeJpeg(const Bytes& file, jpeg::BlockTransform transform = nullptr) {
    Decoded result;
    result.decoder->SetBlockTransform(transform);
    result.headerResult = result.decoder->ReadHeaders(file.data(), file.size());
    if (result.headerResult == 0) {
        result.decodeResult = result.decoder->Decode();
    }
    return result;
}

// The inverse DCT as the format defines it: the direct double-precision sum for every sample,
// truncated toward zero. Slow, and the yardstick for the decoder's own transform.
inline void DirectInverseTransform(const std::int32_t* coefficients, int levelShift,
                                   std::int32_t* samples) {
    using jpeg::kCosine;
    using jpeg::kK0;
    const double k0k0 = kK0 * kK0;
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            double sum = 0.0;
            for (int v = 0; v < 8; ++v) {
                for (int u = 0; u < 8; ++u) {
                    const double k = (u == 0 && v == 0) ? k0k0 : (u == 0 || v == 0) ? kK0 : 1.0;
                    sum += k * coefficients[v * 8 + u] * kCosine[u][x] * kCosine[v][y];
                }
            }
            samples[y * 8 + x] = static_cast<std::int32_t>(0.25 * sum + levelShift);
        }
    }
}

inline RawPicture Photo(int width, int height, std::uint32_t seed = 7) {
    return testsupport::MakePhotoLikePicture(width, height, seed);
}

inline Bytes EncodeJpeg(const RawPicture& picture, const EncodeOptions& options = {}) {
    return testsupport::jpeg::Encode(picture, options);
}

inline EncodeOptions Sampling(int h, int v, int components = 3) {
    EncodeOptions options;
    options.lumaH = h;
    options.lumaV = v;
    options.components = components;
    return options;
}

// Offset of the first marker `code` (its 0xFF byte) in the file; the test fails without one.
inline std::size_t MarkerOffset(const Bytes& file, int code) {
    for (std::size_t i = 0; i + 1 < file.size(); ++i) {
        if (file[i] == 0xFF && file[i + 1] == code) {
            return i;
        }
    }
    ADD_FAILURE() << "no marker " << code;
    return 0;
}

// Offset of the first entropy-coded byte.
inline std::size_t ScanDataOffset(const Bytes& file) {
    const std::size_t sos = MarkerOffset(file, 0xDA);
    return sos + 2 + (file[sos + 2] << 8 | file[sos + 3]);
}

// Largest difference of any sample between the decoded planes and the source picture.
struct Difference {
    int largest = 0;
    double mean = 0.0;
};

inline Difference CompareWithSource(const Decoded& decoded, const RawPicture& source) {
    Difference difference;
    double total = 0.0;
    for (int y = 0; y < source.height; ++y) {
        for (int x = 0; x < source.width; ++x) {
            const std::array<int, 3> pixel = decoded.Pixel(x, y);
            for (int c = 0; c < 3; ++c) {
                const int expected = source.At(x, y)[source.channels == 1 ? 0 : c];
                const int d = std::abs(pixel[c] - expected);
                difference.largest = std::max(difference.largest, d);
                total += d;
            }
        }
    }
    difference.mean = total / (3.0 * source.width * source.height);
    return difference;
}

// The picture's grey version, as a grey JPEG codes it.
inline RawPicture Luma(const RawPicture& picture) {
    RawPicture grey{picture.width, picture.height, 1, {}};
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const std::uint8_t* p = picture.At(x, y);
            grey.samples.push_back(
                static_cast<std::uint8_t>(std::lround(0.299 * p[0] + 0.587 * p[1] + 0.114 * p[2])));
        }
    }
    return grey;
}

}  // namespace picture::testing
