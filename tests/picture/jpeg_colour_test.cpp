#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <vector>

#include "jpeg_test_util.h"
#include "picture/jpeg_colour.h"
#include "picture/jpeg_dialog_reader.h"

namespace picture::testing {
namespace {

int ClampedDouble(double value) {
    return value < 0 ? 0 : value > 255 ? 255 : static_cast<int>(value);
}

// The integer terms against the double-precision formulas, over every chroma pair a picture
// can hold (and some overshoot) and lumas across the range. Only a green sum that is exactly
// an integer may land one lower in double, where rounding decides which side it falls.
TEST(JpegColour, IntegerTermsAgreeWithTheDoubleFormulas) {
    std::size_t samples = 0;
    std::size_t equal = 0;
    int largest = 0;
    std::vector<std::int32_t> cb;
    std::vector<std::int32_t> cr;
    for (int b = -40; b <= 300; ++b) {
        for (int r = -40; r <= 300; r += 3) {
            cb.push_back(b);
            cr.push_back(r);
        }
    }
    const int count = static_cast<int>(cb.size());
    std::vector<std::int16_t> red(cb.size()), green(cb.size()), blue(cb.size());
    const jpeg::ChromaTerms terms{red.data(), green.data(), blue.data()};
    jpeg::ComputeChromaTerms(cb.data(), cr.data(), count, terms);
    for (int luma : {-30, 0, 1, 77, 128, 200, 254, 255, 290}) {
        const std::vector<std::int32_t> lumas(cb.size(), luma);
        std::vector<std::uint8_t> out(3 * cb.size() + 1);
        jpeg::ConvertColourRow(lumas.data(), terms, 1, count,
                               {out.data() + 2, out.data() + 1, out.data(), 3}, false);
        for (int i = 0; i < count; ++i) {
            const double db = cb[static_cast<std::size_t>(i)] - 128;
            const double dr = cr[static_cast<std::size_t>(i)] - 128;
            const int expected[3] = {ClampedDouble(luma + 1.402 * dr),
                                     ClampedDouble(luma - 0.3441 * db - 0.7139 * dr),
                                     ClampedDouble(luma + 1.7718 * db)};
            for (int c = 0; c < 3; ++c) {
                const int got = out[static_cast<std::size_t>(3 * i + 2 - c)];
                const int d = std::abs(got - expected[c]);
                ASSERT_LE(d, 1) << "luma " << luma << " cb " << cb[static_cast<std::size_t>(i)]
                                << " cr " << cr[static_cast<std::size_t>(i)];
                ASSERT_TRUE(d == 0 || c == 1) << "red and blue are never ties";
                equal += d == 0;
                largest = std::max(largest, d);
                ++samples;
            }
        }
    }
    std::printf("integer and double colour: %zu of %zu samples equal\n", equal, samples);
    EXPECT_GE(static_cast<double>(equal), 0.999 * static_cast<double>(samples));
}

// The load dialog's picture is written straight from the decoder, B, G, R bottom-up with the
// rows padded to four pixels; it must be the picture the planes give, padding black, for
// every sampling and for widths that end inside an MCU.
TEST(JpegDialogPicture, DirectOutputEqualsThePlanes) {
    const std::array<std::array<int, 3>, 8> layouts = {
        {{1, 1, 3}, {2, 1, 3}, {2, 2, 3}, {1, 2, 3}, {4, 1, 3}, {4, 2, 3}, {2, 2, 1}, {1, 1, 1}}};
    for (const auto& [h, v, components] : layouts) {
        for (int width : {1, 7, 13, 16, 33, 50}) {
            const Bytes file = EncodeJpeg(Photo(width, 19), Sampling(h, v, components));
            const Decoded decoded = DecodeJpeg(file);
            ASSERT_TRUE(decoded.Ok());
            const std::optional<CDIB> fromPlanes = DibFromPlanes(*decoded.decoder);
            ASSERT_TRUE(fromPlanes.has_value());
            const JpegReadResult direct = ReadJpegForDialog(file, L"a.jpg");
            const CDIB* picture = std::get_if<CDIB>(&direct);
            ASSERT_NE(picture, nullptr);
            const std::span<const std::uint8_t> a = fromPlanes->Pixels();
            const std::span<const std::uint8_t> b = picture->Pixels();
            ASSERT_TRUE(std::equal(a.begin(), a.end(), b.begin(), b.end()))
                << h << "x" << v << " components " << components << " width " << width;
        }
    }
}

}  // namespace
}  // namespace picture::testing
