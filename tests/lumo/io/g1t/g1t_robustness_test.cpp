#include <gtest/gtest.h>

#include <random>

#include "g1t_test_util.h"
#include "lumo/io/g1t/g1t_file.h"
#include "support/allocation_probe.h"

namespace lumo {
namespace {

using testing::FillPattern;
using testing::WriteToBytes;

std::vector<std::vector<std::uint8_t>> SeedFiles() {
    std::vector<std::vector<std::uint8_t>> seeds;
    for (std::uint32_t platform : {0u, 1u}) {
        CG1TFileImpl file;
        file.SetPlatform(platform);
        file.extraItems = {{1, 2, {3, 4}}};
        CG1TTexture& texture = file.AddTexture();
        texture.header.SetMipCount(3);
        texture.header.SetLayout(kLayoutCube);
        texture.name = L"COLOR";
        CImage image;
        FillPattern(image, 16, 16);
        for (std::uint32_t face = 0; face < 6; ++face) {
            texture.SetImage(image, face);
        }
        CG1TTexture& dxt = file.AddTexture();
        dxt.header.SetFormat(kFormatDXT5);
        dxt.SetImage(image);
        seeds.push_back(WriteToBytes(file));
    }
    return seeds;
}

// The largest allocation a read and decode may make: the decoded float picture of the largest
// surface the input can hold (32 bytes per byte of DXT1 data), never a size a header invents.
std::size_t AllowedAllocation(std::size_t inputSize) {
    return inputSize * 32 + 65536;
}

void ReadAndCheck(const std::vector<std::uint8_t>& bytes) {
    testsupport::ResetLargestAllocation();
    CG1TFileImpl file;
    CBinaryReaderFromMemory reader(bytes.data(), static_cast<std::uint32_t>(bytes.size()));
    if (file.Read(reader)) {
        for (std::size_t i = 0; i < file.TextureCount(); ++i) {
            CImage image;
            file.Texture(i)->GetImage(image);
        }
    }
    ASSERT_LE(testsupport::LargestAllocation(), AllowedAllocation(bytes.size()))
        << "input of " << bytes.size() << " bytes";
}

TEST(G1TRobustness, TruncatedFilesNeverCrashOrOverAllocate) {
    for (const auto& seed : SeedFiles()) {
        for (std::size_t size = 0; size < seed.size(); size += 1 + size / 64) {
            ReadAndCheck(std::vector<std::uint8_t>(seed.begin(), seed.begin() + size));
        }
    }
}

TEST(G1TRobustness, MutatedFilesNeverCrashOrOverAllocate) {
    std::mt19937 random(12345);
    const auto seeds = SeedFiles();
    for (int round = 0; round < 3000; ++round) {
        std::vector<std::uint8_t> bytes = seeds[round % seeds.size()];
        const int mutations = 1 + static_cast<int>(random() % 6);
        for (int m = 0; m < mutations; ++m) {
            // Mostly the header and records, where the sizes and offsets live.
            const std::size_t limit =
                random() % 4 == 0 ? bytes.size() : std::min<std::size_t>(96, bytes.size());
            const std::size_t at = random() % limit;
            bytes[at] = static_cast<std::uint8_t>(random() % 3 == 0 ? 0xFF : random());
        }
        ReadAndCheck(bytes);
    }
}

}  // namespace
}  // namespace lumo
