#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <random>

#include "jpeg_test_util.h"
#include "picture/jpeg_dialog_reader.h"
#include "support/allocation_probe.h"

namespace picture::testing {
namespace {

std::vector<Bytes> Seeds() {
    EncodeOptions restarts = Sampling(2, 2);
    restarts.restartInterval = 2;
    EncodeOptions grey = Sampling(1, 1, 1);
    grey.comment = "seed";
    EncodeOptions crossed = Sampling(2, 1);
    crossed.dcTable = {1, 0, 0};
    crossed.acTable = {0, 1, 1};
    crossed.jfxx = true;
    return {EncodeJpeg(Photo(24, 24), restarts), EncodeJpeg(Photo(13, 11), grey),
            EncodeJpeg(Photo(21, 9), crossed)};
}

// Each block needs two bits of scan data, and the sparsest MCU (Y 4 x 1, Cb 1 x 4, Cr 1 x 1)
// covers 32 x 32 pixels with 9 blocks: a plane holds at most 456 pixels per input byte. The
// 24-bit picture takes three bytes a pixel, and rounding its width up at most quadruples it.
std::size_t AllowedAllocation(std::size_t inputSize) {
    return inputSize * 456 * 3 * 4 + 65536;
}

void DecodeAndCheck(const Bytes& file) {
    testsupport::ResetLargestAllocation();
    const JpegReadResult result = ReadJpegForDialog(file, L"x.jpg");
    if (const CDIB* picture = std::get_if<CDIB>(&result)) {
        EXPECT_EQ(picture->BitCount(), 24);
        EXPECT_LE(picture->ByteSize(), AllowedAllocation(file.size()));
    }
    EXPECT_LE(testsupport::LargestAllocation(), AllowedAllocation(file.size()));
}

TEST(JpegRobustness, EveryTruncation) {
    for (const Bytes& seed : Seeds()) {
        for (std::size_t length = 0; length <= seed.size(); ++length) {
            DecodeAndCheck(Bytes(seed.begin(), seed.begin() + static_cast<std::ptrdiff_t>(length)));
        }
    }
}

TEST(JpegRobustness, MutatedBytes) {
    std::mt19937 random(12345);
    const auto start = std::chrono::steady_clock::now();
    int decoded = 0;
    for (const Bytes& seed : Seeds()) {
        std::uniform_int_distribution<std::size_t> position(0, seed.size() - 1);
        for (int round = 0; round < 3000; ++round) {
            Bytes file = seed;
            const int changes = 1 + static_cast<int>(random() % 4);
            for (int i = 0; i < changes; ++i) {
                const std::uint32_t pick = random();
                const std::uint8_t value = pick % 3 == 0 ? 0xFF
                                           : pick % 3 == 1
                                               ? static_cast<std::uint8_t>(pick >> 8)
                                               : static_cast<std::uint8_t>(file[position(random)] ^
                                                                           (1u << (pick >> 8) % 8));
                file[position(random)] = value;
            }
            DecodeAndCheck(file);
            JpegDecoder decoder;
            decoded += decoder.ReadHeaders(file.data(), file.size()) == 0 && decoder.Decode() == 0;
        }
    }
    // Mutations mostly hit entropy-coded data, so many files still decode to something.
    EXPECT_GT(decoded, 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(60));
}

// Header fields that ask for the largest pictures the format can describe.
TEST(JpegRobustness, ForgedSizesAllocateNothingLarge) {
    for (const Bytes& seed : Seeds()) {
        const std::size_t sof = MarkerOffset(seed, 0xC0);
        for (int height : {1, 0xFFFF, 10000}) {
            for (int width : {1, 0xFFFF, 10000}) {
                Bytes file = seed;
                file[sof + 5] = static_cast<std::uint8_t>(height >> 8);
                file[sof + 6] = static_cast<std::uint8_t>(height);
                file[sof + 7] = static_cast<std::uint8_t>(width >> 8);
                file[sof + 8] = static_cast<std::uint8_t>(width);
                DecodeAndCheck(file);
            }
        }
    }
}

}  // namespace
}  // namespace picture::testing
