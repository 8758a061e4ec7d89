#include <gtest/gtest.h>

#include <string>

#include "jpeg_test_util.h"

namespace picture::testing {
namespace {

struct SamplingCase {
    const char* name;
    int h;
    int v;
    int components;
    int largestAt100;  // chroma averaging dominates the subsampled layouts
};

class JpegSamplingTest : public ::testing::TestWithParam<SamplingCase> {
protected:
    RawPicture Source(int width, int height) const {
        const RawPicture photo = Photo(width, height);
        return GetParam().components == 1 ? Luma(photo) : photo;
    }
    EncodeOptions Options(int quality) const {
        EncodeOptions options = Sampling(GetParam().h, GetParam().v, GetParam().components);
        options.quality = quality;
        return options;
    }
};

// At quality 100 only rounding, the colour constants and truncation separate the decoded
// picture from its source; at 90 quantisation adds a little more.
TEST_P(JpegSamplingTest, DecodesCloseToTheSource) {
    const RawPicture source = Source(64, 48);
    for (int quality : {100, 90}) {
        const Decoded decoded = DecodeJpeg(EncodeJpeg(source, Options(quality)));
        ASSERT_TRUE(decoded.Ok()) << decoded.decoder->ErrorText();
        ASSERT_EQ(decoded.decoder->Width(), 64);
        ASSERT_EQ(decoded.decoder->Height(), 48);
        const Difference d = CompareWithSource(decoded, source);
        EXPECT_LE(d.largest, quality == 100 ? GetParam().largestAt100 : 16) << quality;
        EXPECT_LE(d.mean, quality == 100 ? 2.0 : 3.0) << quality;
    }
}

// Sizes that leave partial blocks and partial MCUs at the right and bottom edges.
TEST_P(JpegSamplingTest, OddSizesKeepTheirSizeAndEdges) {
    for (const auto& [width, height] : {std::pair{1, 1}, {7, 9}, {17, 33}, {33, 17}, {45, 31}}) {
        const RawPicture source = Source(width, height);
        const Decoded decoded = DecodeJpeg(EncodeJpeg(source, Options(100)));
        ASSERT_TRUE(decoded.Ok()) << width << "x" << height << decoded.decoder->ErrorText();
        EXPECT_EQ(decoded.decoder->Width(), width);
        EXPECT_EQ(decoded.decoder->Height(), height);
        EXPECT_LE(CompareWithSource(decoded, source).largest, GetParam().largestAt100)
            << width << "x" << height;
    }
}

// Restart markers split the scan; the result must not change, whether or not the interval
// divides the number of MCUs.
TEST_P(JpegSamplingTest, RestartIntervalsGiveTheSamePicture) {
    const RawPicture source = Source(50, 40);
    const Decoded plain = DecodeJpeg(EncodeJpeg(source, Options(90)));
    ASSERT_TRUE(plain.Ok());
    for (int interval : {1, 2, 5, 7}) {
        EncodeOptions options = Options(90);
        options.restartInterval = interval;
        const Bytes file = EncodeJpeg(source, options);
        ASSERT_NE(MarkerOffset(file, 0xD0), 0u);
        const Decoded restarted = DecodeJpeg(file);
        ASSERT_TRUE(restarted.Ok()) << interval << restarted.decoder->ErrorText();
        EXPECT_EQ(restarted.decoder->RestartInterval(), interval);
        for (int plane = 0; plane < 3; ++plane) {
            EXPECT_TRUE(std::equal(plain.decoder->Plane(plane),
                                   plain.decoder->Plane(plane) + 50 * 40,
                                   restarted.decoder->Plane(plane)))
                << "interval " << interval << " plane " << plane;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Jpeg, JpegSamplingTest,
    ::testing::Values(SamplingCase{"444", 1, 1, 3, 6}, SamplingCase{"422", 2, 1, 3, 20},
                      SamplingCase{"420", 2, 2, 3, 20}, SamplingCase{"grey", 1, 1, 1, 1},
                      SamplingCase{"grey2x2", 2, 2, 1, 1}, SamplingCase{"grey3x1", 3, 1, 1, 1}),
    [](const auto& info) { return std::string(info.param.name); });

bool SamePlanes(const Decoded& a, const Decoded& b) {
    const std::size_t size = static_cast<std::size_t>(a.decoder->Width()) * a.decoder->Height();
    for (int plane = 0; plane < 3; ++plane) {
        if (!std::equal(a.decoder->Plane(plane), a.decoder->Plane(plane) + size,
                        b.decoder->Plane(plane))) {
            return false;
        }
    }
    return true;
}

// Each component's DC and AC tables come from their own class and destination.
TEST(JpegTables, DcAndAcTablesWithDifferentDestinations) {
    const RawPicture source = Photo(40, 24);
    const Decoded plain = DecodeJpeg(EncodeJpeg(source));
    EncodeOptions options;
    options.dcTable = {1, 2, 0};
    options.acTable = {0, 1, 2};
    const Decoded crossed = DecodeJpeg(EncodeJpeg(source, options));
    ASSERT_TRUE(plain.Ok());
    ASSERT_TRUE(crossed.Ok()) << crossed.decoder->ErrorText();
    EXPECT_TRUE(SamePlanes(plain, crossed));
}

TEST(JpegSegments, JfxxSegmentThenTablesStillDecodes) {
    EncodeOptions options;
    options.jfif = false;
    options.jfxx = true;
    const Decoded decoded = DecodeJpeg(EncodeJpeg(Photo(16, 16), options));
    ASSERT_TRUE(decoded.Ok()) << decoded.decoder->ErrorText();
    EXPECT_EQ(decoded.decoder->Jfif().kind, 2);
    EXPECT_EQ(decoded.decoder->Jfif().extensionCode, 0x10);
    EXPECT_EQ(decoded.decoder->Flags() & JpegDecoder::kJfifRead, 0);
}

TEST(JpegSegments, JfifFieldsAndCommentAreKept) {
    EncodeOptions options;
    options.comment = "face";
    const Decoded decoded = DecodeJpeg(EncodeJpeg(Photo(16, 16), options));
    ASSERT_TRUE(decoded.Ok());
    const JfifInfo& jfif = decoded.decoder->Jfif();
    EXPECT_EQ(jfif.kind, 1);
    EXPECT_EQ(jfif.versionMajor, 1);
    EXPECT_EQ(jfif.versionMinor, 1);
    EXPECT_EQ(jfif.xDensity, 1);
    EXPECT_EQ(jfif.yDensity, 1);
    EXPECT_EQ(decoded.decoder->Comment(), "face");
    EXPECT_EQ(decoded.decoder->Flags(),
              JpegDecoder::kHuffmanTableRead | JpegDecoder::kQuantisationTableRead |
                  JpegDecoder::kJfifRead | JpegDecoder::kCommentRead | JpegDecoder::kScanRead);
}

}  // namespace
}  // namespace picture::testing
