#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "picture/face_scale.h"

namespace picture {
namespace {

// A 24-bit picture whose channels vary differently with x and y, so that a wrong weight, a
// swapped direction or a shifted row shows.
CDIB Pattern(int width, int height, bool topDown = false) {
    std::optional<CDIB> picture = CDIB::CreateWithPixels(width, topDown ? height : -height, {}, 24);
    EXPECT_TRUE(picture);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = picture->PixelAddress(x, y);
            p[0] = static_cast<std::uint8_t>((x * 37 + y * 11) % 256);
            p[1] = static_cast<std::uint8_t>((x * x + 3 * y) % 256);
            p[2] = static_cast<std::uint8_t>((x ^ (y * 7)) % 256);
        }
    }
    return std::move(*picture);
}

// Black outside the picture, as the scaler treats it.
double Channel(const CDIB& picture, int x, int y, int c) {
    const std::uint8_t* p = picture.PixelAddress(x, y);
    return p == nullptr ? 0.0 : p[c];
}

// Straightforward reference of area averaging: the face pixel's footprint as a rectangle in
// the region, every picture pixel weighted by the area it shares with it.
double AreaReference(const CDIB& picture, int left, int top, int width, int height, int fw, int fh,
                     int x, int y, int c) {
    const double x0 = double(x) * width / fw, x1 = double(x + 1) * width / fw;
    const double y0 = double(y) * height / fh, y1 = double(y + 1) * height / fh;
    double sum = 0;
    for (int sy = int(std::floor(y0)); sy < y1; ++sy) {
        for (int sx = int(std::floor(x0)); sx < x1; ++sx) {
            const double across = std::min<double>(x1, sx + 1) - std::max<double>(x0, sx);
            const double down = std::min<double>(y1, sy + 1) - std::max<double>(y0, sy);
            sum += across * down * Channel(picture, left + sx, top + sy, c);
        }
    }
    return sum / ((x1 - x0) * (y1 - y0));
}

// Straightforward bilinear reference: the face pixel's centre in the region, between the four
// nearest pixel centres, clamped to the region's edge pixels.
double BilinearReference(const CDIB& picture, int left, int top, int width, int height, int fw,
                         int fh, int x, int y, int c) {
    const double sx = std::clamp((x + 0.5) * width / fw - 0.5, 0.0, width - 1.0);
    const double sy = std::clamp((y + 0.5) * height / fh - 0.5, 0.0, height - 1.0);
    const int ix = int(sx), iy = int(sy);
    const int jx = std::min(ix + 1, width - 1), jy = std::min(iy + 1, height - 1);
    const double fx = sx - ix, fy = sy - iy;
    auto at = [&](int u, int v) { return Channel(picture, left + u, top + v, c); };
    return (1 - fy) * ((1 - fx) * at(ix, iy) + fx * at(jx, iy)) +
           fy * ((1 - fx) * at(ix, jy) + fx * at(jx, jy));
}

struct Case {
    int left, top, width, height, faceWidth, faceHeight;
};

// Every face pixel must be the reference rounded: within half a level of it.
void ExpectLikeReference(const CDIB& picture, const Case& k) {
    const std::optional<CDIB> face =
        ScaleCropToFace(picture, k.left, k.top, k.width, k.height, k.faceWidth, k.faceHeight,
                        FaceScaling::AreaAverage);
    ASSERT_TRUE(face);
    ASSERT_EQ(face->Width(), k.faceWidth);
    ASSERT_EQ(face->Height(), k.faceHeight);
    ASSERT_EQ(face->BitCount(), 24);
    EXPECT_FALSE(face->IsTopDown());
    const bool shrinking = k.width >= k.faceWidth && k.height >= k.faceHeight;
    for (int y = 0; y < k.faceHeight; ++y) {
        for (int x = 0; x < k.faceWidth; ++x) {
            for (int c = 0; c < 3; ++c) {
                const double expected =
                    shrinking ? AreaReference(picture, k.left, k.top, k.width, k.height,
                                              k.faceWidth, k.faceHeight, x, y, c)
                              : BilinearReference(picture, k.left, k.top, k.width, k.height,
                                                  k.faceWidth, k.faceHeight, x, y, c);
                ASSERT_NEAR(face->PixelAddress(x, y)[c], expected, 0.5 + 1e-9)
                    << x << ", " << y << " channel " << c;
            }
        }
    }
}

TEST(FaceScaleTest, ShrinkingAveragesTheFootprintWithFractionalEdges) {
    const CDIB picture = Pattern(400, 300);
    // Odd ratios, whole-number ratios, a 1:1 copy, and regions of a top-down picture.
    for (const Case& k : {Case{13, 7, 137, 171, 96, 120}, Case{0, 0, 400, 300, 60, 60},
                          Case{101, 50, 241, 241, 240, 240}, Case{5, 9, 180, 180, 60, 60},
                          Case{3, 2, 96, 120, 96, 120}, Case{0, 0, 7, 5, 3, 2}}) {
        SCOPED_TRACE(k.width);
        ExpectLikeReference(picture, k);
    }
    ExpectLikeReference(Pattern(90, 70, true), Case{1, 2, 87, 61, 29, 17});
    // 600 rows to a face row: more whole rows than 16 bits can sum at once.
    ExpectLikeReference(Pattern(20, 3000), Case{0, 0, 20, 3000, 3, 5});
}

TEST(FaceScaleTest, ARegionReachingOutsideThePictureAveragesBlackIn) {
    const CDIB picture = Pattern(50, 40);
    ExpectLikeReference(picture, Case{-10, -5, 75, 75, 60, 60});
    ExpectLikeReference(picture, Case{20, 10, 70, 70, 60, 60});
    ExpectLikeReference(picture, Case{60, 0, 70, 70, 60, 60});  // wholly beside it: black
}

TEST(FaceScaleTest, EnlargingInterpolatesBilinearly) {
    const CDIB picture = Pattern(100, 100);
    ExpectLikeReference(picture, Case{10, 20, 56, 56, 240, 240});
    ExpectLikeReference(picture, Case{0, 0, 7, 9, 96, 120});
    ExpectLikeReference(picture, Case{5, 5, 1, 1, 60, 60});
}

// Shrinking across and enlarging down: each direction by its own rule. A picture constant
// down each column makes the bilinear direction exact, so each face row must be the area
// average of the one picture row.
TEST(FaceScaleTest, EachDirectionChoosesItsOwnFilter) {
    const CDIB row = Pattern(300, 1);
    std::optional<CDIB> tall = CDIB::CreateWithPixels(300, -40, {}, 24);
    ASSERT_TRUE(tall);
    for (int y = 0; y < 40; ++y)
        std::copy_n(row.PixelAddress(0, 0), 900, tall->PixelAddress(0, y));
    const std::optional<CDIB> face =
        ScaleCropToFace(*tall, 1, 0, 299, 30, 60, 60, FaceScaling::AreaAverage);
    ASSERT_TRUE(face);
    for (int y = 0; y < 60; y += 7) {
        for (int x = 0; x < 60; ++x) {
            for (int c = 0; c < 3; ++c)
                ASSERT_NEAR(face->PixelAddress(x, y)[c],
                            AreaReference(row, 1, 0, 299, 1, 60, 1, x, 0, c), 0.5 + 1e-9)
                    << x << ", " << y;
        }
    }
}

// The first editor's stretch: target pixel t takes source pixel start + t * extent / target.
TEST(FaceScaleTest, NearestIsTheFirstEditorsStretchByteForByte) {
    const CDIB picture = Pattern(130, 90);
    for (const Case& k : {Case{11, 3, 117, 87, 96, 120}, Case{-4, -6, 60, 60, 60, 60},
                          Case{100, 70, 50, 50, 240, 240}}) {
        const std::optional<CDIB> face =
            ScaleCropToFace(picture, k.left, k.top, k.width, k.height, k.faceWidth, k.faceHeight,
                            FaceScaling::Nearest);
        ASSERT_TRUE(face);
        EXPECT_FALSE(face->IsTopDown());
        for (int y = 0; y < k.faceHeight; ++y) {
            const int sy = k.top + int(std::int64_t{y} * k.height / k.faceHeight);
            for (int x = 0; x < k.faceWidth; ++x) {
                const int sx = k.left + int(std::int64_t{x} * k.width / k.faceWidth);
                for (int c = 0; c < 3; ++c)
                    ASSERT_EQ(face->PixelAddress(x, y)[c], Channel(picture, sx, sy, c))
                        << x << ", " << y;
            }
        }
    }
}

// Regions whose sums would not fit the accumulators, or that hold nothing, are refused.
TEST(FaceScaleTest, RefusesRegionsItCannotAverage) {
    const CDIB picture = Pattern(64, 64);
    EXPECT_FALSE(ScaleCropToFace(picture, 0, 0, 0, 64, 60, 60, FaceScaling::AreaAverage));
    EXPECT_FALSE(
        ScaleCropToFace(picture, 0, 0, 64, (1 << 24) + 1, 60, 60, FaceScaling::AreaAverage));
}

}  // namespace
}  // namespace picture
