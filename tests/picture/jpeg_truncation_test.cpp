#include <gtest/gtest.h>

#include "jpeg_test_util.h"

namespace picture::testing {
namespace {

// A scan cut short by the end of the file is completed as if zero bits followed: the picture
// keeps its size and everything coded before the cut is as in the whole file.
void ExpectCompletedFromTheCut(const EncodeOptions& options) {
    const Bytes whole = EncodeJpeg(Photo(64, 64), options);
    const Decoded complete = DecodeJpeg(whole);
    ASSERT_TRUE(complete.Ok());
    const std::size_t data = ScanDataOffset(whole);
    const Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(
                                                       data + (whole.size() - data) * 6 / 10));
    const Decoded truncated = DecodeJpeg(cut);
    ASSERT_TRUE(truncated.Ok()) << truncated.decoder->ErrorText();
    ASSERT_EQ(truncated.decoder->Width(), 64);
    ASSERT_EQ(truncated.decoder->Height(), 64);
    // The top quarter lies well before the cut.
    for (int plane = 0; plane < 3; ++plane) {
        EXPECT_TRUE(std::equal(complete.decoder->Plane(plane),
                               complete.decoder->Plane(plane) + 64 * 16,
                               truncated.decoder->Plane(plane)))
            << plane;
    }
}

TEST(JpegTruncation, ScanCutShortIsCompleted) {
    ExpectCompletedFromTheCut(Sampling(2, 2));
    ExpectCompletedFromTheCut(Sampling(1, 1, 1));
}

TEST(JpegTruncation, ScanCutShortWithRestartsIsCompleted) {
    EncodeOptions options = Sampling(2, 1);
    options.restartInterval = 3;
    ExpectCompletedFromTheCut(options);
}

// Fewer than two bits for each block cannot be the scan of this frame at all.
TEST(JpegTruncation, ScanFarTooShortForTheFrameIsRefused) {
    Bytes file = EncodeJpeg(Photo(64, 64), Sampling(2, 2));
    file.resize(ScanDataOffset(file) + 3);
    JpegDecoder decoder;
    ASSERT_EQ(decoder.ReadHeaders(file.data(), file.size()), 0);
    EXPECT_EQ(decoder.Decode(), -1);
    EXPECT_EQ(decoder.ErrorText(), "Decode:scan too short for the frame");
}

TEST(JpegTruncation, CutInsideTheHeadersIsAHeaderFailure) {
    const Bytes file = EncodeJpeg(Photo(16, 16));
    for (std::size_t length = 0; length < ScanDataOffset(file); ++length) {
        JpegDecoder decoder;
        EXPECT_LT(decoder.ReadHeaders(file.data(), length), 0) << length;
    }
}

}  // namespace
}  // namespace picture::testing
