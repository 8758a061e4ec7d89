#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>

#include "bmp_builder.h"
#include "picture/bmp_dialog_reader.h"
#include "support/allocation_probe.h"

namespace picture {
namespace {

using testing::Bmp;
using testing::BmpFile;
using testing::Build;

constexpr std::size_t kSmallAllocation = 65536;

std::vector<std::vector<std::uint8_t>> SeedFiles() {
    std::vector<BmpFile> files = {Bmp(13, 3, 1), Bmp(7, 2, 4),   Bmp(5, 3, 8),  Bmp(17, 2, 15),
                                  Bmp(3, 3, 16), Bmp(5, -3, 24), Bmp(2, 2, 32), Bmp(6, 2, 2)};
    files[0].table.resize(2, {1, 2, 3, 0});
    files[1].clrUsed = 5;
    files[1].table.resize(5, {4, 5, 6, 0});
    files[2].table.resize(256, {7, 8, 9, 0});
    files[4].compression = BI_BITFIELDS;
    std::vector<std::vector<std::uint8_t>> seeds;
    for (BmpFile& f : files) {
        const std::size_t count = static_cast<std::size_t>(f.width) * std::abs(f.height);
        for (std::size_t i = 0; i < count; ++i) {
            f.pixels.push_back(static_cast<std::uint32_t>(i * 2654435761u));
        }
        seeds.push_back(Build(f));
    }
    return seeds;
}

// The only large allocation either reader may make is the buffer of the picture it returns.
void ReadAndCheck(const std::vector<std::uint8_t>& bytes) {
    testsupport::ResetLargestAllocation();
    const BmpReadResult result = ReadBmpForDialog(bytes, L"f.bmp");
    std::size_t allowed = kSmallAllocation;
    if (const CDIB* picture = std::get_if<CDIB>(&result)) {
        allowed = std::max<std::size_t>(allowed, picture->ByteSize());
        EXPECT_LE(picture->ByteSize(), 3 * kMaxPixels);
        EXPECT_EQ(picture->BitCount(), 24);
        EXPECT_EQ(picture->Pixels().size(), picture->ByteSize());
    }
    ASSERT_LE(testsupport::LargestAllocation(), allowed) << "dialog reader, " << bytes.size();

    testsupport::ResetLargestAllocation();
    CDIB stream;
    allowed = kSmallAllocation;
    if (stream.ReadFromStream(bytes)) {
        EXPECT_LE(stream.ByteSize(), 5 * kMaxPixels);
        allowed = std::max<std::size_t>(allowed, stream.ByteSize());
    }
    ASSERT_LE(testsupport::LargestAllocation(), allowed) << "stream reader, " << bytes.size();
}

// The fuzz target skips headers this large, so their handling is pinned down here: a file of a
// few bytes may declare millions of pixels, and both readers give that picture with the stored
// rows in place and every other byte black, allocating nothing beyond it.
TEST(BmpRobustness, TinyFileDeclaringMillionsOfPixelsReadsBlackBeyondItsBytes) {
    constexpr std::int32_t kHeight = 2'500'000;  // 10 million pixels at a width of 4
    std::vector<std::uint8_t> bytes = Build(Bmp(4, 2, 24, std::vector<std::uint32_t>(8, 0xA1B2C3)));
    for (int i = 0; i < 4; ++i) {
        bytes[22 + i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(kHeight) >> 8 * i);
    }
    ReadAndCheck(bytes);
    const auto blackFrom = [](std::span<const std::uint8_t> pixels, std::size_t offset) {
        return std::all_of(pixels.begin() + static_cast<std::ptrdiff_t>(offset), pixels.end(),
                           [](std::uint8_t b) { return b == 0; });
    };
    const BmpReadResult result = ReadBmpForDialog(bytes, L"tall.bmp");
    const CDIB* dialog = std::get_if<CDIB>(&result);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->Width(), 4);
    EXPECT_EQ(dialog->Height(), kHeight);
    EXPECT_EQ(dialog->Pixels()[12 + 2], 0xA1);  // the second stored row, red of its first pixel
    EXPECT_TRUE(blackFrom(dialog->Pixels(), 2 * 12));

    CDIB stream;
    ASSERT_TRUE(stream.ReadFromStream(bytes));
    EXPECT_EQ(stream.ByteSize(), 12u * kHeight);
    EXPECT_EQ(stream.Pixels()[0], 0xC3);
    EXPECT_TRUE(blackFrom(stream.Pixels(), 2 * 12));
}

TEST(BmpRobustness, TruncatedFilesNeverCrashOrOverAllocate) {
    for (const auto& seed : SeedFiles()) {
        for (std::size_t size = 0; size <= seed.size(); ++size) {
            ReadAndCheck(std::vector<std::uint8_t>(seed.begin(), seed.begin() + size));
        }
    }
}

TEST(BmpRobustness, MutatedFilesNeverCrashOrOverAllocate) {
    std::mt19937 random(4321);
    const auto seeds = SeedFiles();
    for (int round = 0; round < 3000; ++round) {
        std::vector<std::uint8_t> bytes = seeds[round % seeds.size()];
        const int mutations = 1 + static_cast<int>(random() % 4);
        for (int m = 0; m < mutations; ++m) {
            // Mostly the two headers, where the sizes and offsets live.
            const std::size_t limit = random() % 4 == 0 ? bytes.size() : 54;
            const std::size_t at = random() % limit;
            bytes[at] = static_cast<std::uint8_t>(random() % 3 == 0 ? 0xFF : random());
        }
        ReadAndCheck(bytes);
    }
}

}  // namespace
}  // namespace picture
