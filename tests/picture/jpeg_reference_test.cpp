#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "jpeg_test_util.h"

namespace picture::testing {
namespace {

TEST(JpegConstants, CosineTableHasSixSignificantDigits) {
    const double row1[8] = {0.980785, 0.83147,  0.55557,  0.19509,
                            -0.19509, -0.55557, -0.83147, -0.980785};
    for (int x = 0; x < 8; ++x) {
        EXPECT_EQ(jpeg::kCosine[0][x], 1.0);
        EXPECT_EQ(jpeg::kCosine[1][x], row1[x]);
        EXPECT_EQ(std::abs(jpeg::kCosine[4][x]), 0.707107);
    }
    for (int u = 0; u < 8; ++u) {
        for (int x = 0; x < 8; ++x) {
            EXPECT_NEAR(jpeg::kCosine[u][x], std::cos((2 * x + 1) * u * std::numbers::pi / 16),
                        5e-7);
        }
    }
}

// Every block decodes to 100 + its sample index, so each pixel shows which sample of which
// block it was taken from, and the colour conversion can be checked to the last digit.
void IndexPattern(const std::int32_t*, int, std::int32_t* samples) {
    for (int i = 0; i < 64; ++i) {
        samples[i] = 100 + i;
    }
}

int Clamped(double value) {
    return value < 0 ? 0 : value > 255 ? 255 : static_cast<int>(value);
}

TEST(JpegColour, SamplesAreRepeatedAndConvertedWithTheFormatsConstants) {
    for (const auto& [h, v] : {std::pair{1, 1}, {2, 1}, {2, 2}}) {
        const Decoded decoded = DecodeJpeg(EncodeJpeg(Photo(32, 32), Sampling(h, v)), IndexPattern);
        ASSERT_TRUE(decoded.Ok());
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 32; ++x) {
                const int lx = x % (8 * h);
                const int ly = y % (8 * v);
                const int luma = 100 + lx % 8 + 8 * (ly % 8);
                const int chroma = 100 + lx / h + 8 * (ly / v) - 128;
                const std::array<int, 3> expected = {
                    Clamped(luma + 1.402 * chroma),
                    Clamped(luma - 0.3441 * chroma - 0.7139 * chroma),
                    Clamped(luma + 1.7718 * chroma)};
                ASSERT_EQ(decoded.Pixel(x, y), expected)
                    << h << "x" << v << " at " << x << "," << y;
            }
        }
    }
}

TEST(JpegColour, GreyPicturesHaveEqualChannels) {
    const Decoded decoded = DecodeJpeg(EncodeJpeg(Photo(16, 16), Sampling(2, 2, 1)), IndexPattern);
    ASSERT_TRUE(decoded.Ok());
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const int luma = 100 + x % 8 + 8 * (y % 8);
            ASSERT_EQ(decoded.Pixel(x, y), (std::array<int, 3>{luma, luma, luma}));
        }
    }
}

struct Agreement {
    std::size_t samples = 0;
    std::size_t equal = 0;
    int largest = 0;
};

void CompareWithDirectForm(const Bytes& file, Agreement& agreement) {
    const Decoded fast = DecodeJpeg(file);
    const Decoded direct = DecodeJpeg(file, DirectInverseTransform);
    ASSERT_TRUE(fast.Ok());
    ASSERT_TRUE(direct.Ok());
    const std::size_t size =
        static_cast<std::size_t>(fast.decoder->Width()) * fast.decoder->Height();
    for (int plane = 0; plane < 3; ++plane) {
        for (std::size_t i = 0; i < size; ++i) {
            const int d = std::abs(fast.decoder->Plane(plane)[i] - direct.decoder->Plane(plane)[i]);
            agreement.equal += d == 0;
            agreement.largest = std::max(agreement.largest, d);
        }
    }
    agreement.samples += 3 * size;
}

// The separable transform may differ from the direct sum only where rounding in a different
// order moves a value across an integer.
TEST(JpegTransform, FastFormAgreesWithTheDirectSum) {
    Agreement agreement;
    std::uint32_t seed = 1;
    for (const auto& [h, v, components] : {std::tuple{2, 2, 3}, {1, 1, 3}, {2, 1, 3}, {1, 1, 1}}) {
        for (int quality : {50, 75, 90, 100}) {
            const RawPicture photo = Photo(96, 80, seed++);
            EncodeOptions options = Sampling(h, v, components);
            options.quality = quality;
            CompareWithDirectForm(EncodeJpeg(photo, options), agreement);
        }
    }
    std::printf("fast and direct transform: %zu of %zu samples equal, largest difference %d\n",
                agreement.equal, agreement.samples, agreement.largest);
    EXPECT_LE(agreement.largest, 1);
    EXPECT_GE(static_cast<double>(agreement.equal), 0.999 * agreement.samples);
}

}  // namespace
}  // namespace picture::testing
