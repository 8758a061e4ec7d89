#include <gtest/gtest.h>

#include <cstring>

#include "g1t_test_util.h"
#include "lumo/io/g1t/g1t_file.h"

namespace lumo {
namespace {

using testing::ReadFromBytes;

void PutU32(std::vector<std::uint8_t>& b, std::uint32_t v, bool big) {
    for (int i = 0; i < 4; ++i) {
        const int shift = big ? 24 - 8 * i : 8 * i;
        b.push_back(static_cast<std::uint8_t>(v >> shift));
    }
}

// A hand-made file: header of headerSize bytes, one 4x4 RGBA8 texture with one level.
std::vector<std::uint8_t> HandMade(bool big, const char* version, std::uint32_t headerSize,
                                   std::uint32_t platformWord, std::uint32_t extraWord) {
    std::vector<std::uint8_t> b;
    const char* magic = big ? "G1TG" : "GT1G";
    for (int i = 0; i < 4; ++i) {
        b.push_back(static_cast<std::uint8_t>(magic[i]));
    }
    char v[4];
    std::memcpy(v, version, 4);
    if (!big) {
        std::reverse(v, v + 4);
    }
    for (char c : v) {
        b.push_back(static_cast<std::uint8_t>(c));
    }
    const std::uint32_t fileSize = headerSize + 4 + 8 + 64;
    PutU32(b, fileSize, big);
    PutU32(b, headerSize, big);
    PutU32(b, 1, big);
    if (headerSize > 20) {
        PutU32(b, platformWord, big);
    }
    if (headerSize > 24) {
        PutU32(b, extraWord, big);
    }
    while (b.size() < headerSize) {
        PutU32(b, 0x77, big);
    }
    PutU32(b, 4, big);
    const std::uint8_t record[8] = {0x10, 0x00, 0x22, 0, 0, 0x10, 0x21, 0};
    for (std::uint8_t r : record) {
        b.push_back(big ? static_cast<std::uint8_t>((r << 4) | (r >> 4)) : r);
    }
    for (int i = 0; i < 64; ++i) {
        b.push_back(static_cast<std::uint8_t>(i));
    }
    return b;
}

TEST(G1TRead, ShortHeadersTakeThePlatformFromTheByteOrder) {
    CG1TFileImpl little;
    ASSERT_TRUE(ReadFromBytes(little, HandMade(false, "0060", 20, 0, 0)));
    EXPECT_EQ(little.platform, 0u);
    CG1TFileImpl big;
    ASSERT_TRUE(ReadFromBytes(big, HandMade(true, "0060", 20, 0, 0)));
    EXPECT_EQ(big.platform, 1u);
    EXPECT_EQ(big.Texture(0)->Width(), 4u);
    EXPECT_EQ(big.Texture(0)->MipCount(), 1u);
    EXPECT_EQ(big.version, (FourCC{'0', '0', '6', '0'}));
}

TEST(G1TRead, OldVersionsHaveNoExtraBlockSize) {
    CG1TFileImpl file;
    ASSERT_TRUE(ReadFromBytes(file, HandMade(false, "0040", 32, 0, 0x55)));
    EXPECT_EQ(file.extraBlockSize, 0u);
    EXPECT_EQ(file.textureWords, (std::vector<std::uint32_t>{0x55, 0x77}));

    CG1TFileImpl current;
    ASSERT_TRUE(ReadFromBytes(current, HandMade(false, "0050", 32, 0, 0)));
    EXPECT_EQ(current.textureWords, (std::vector<std::uint32_t>{0x77}));
    EXPECT_EQ(current.Texture(0)->surfaces.front().headerWord, 0x77u);
}

TEST(G1TRead, RefusesWhatIsNotThereOrNotAllowed) {
    const std::vector<std::uint8_t> good = HandMade(false, "0060", 28, 0, 0);
    CG1TFileImpl file;
    ASSERT_TRUE(ReadFromBytes(file, good));

    std::vector<std::uint8_t> bad = good;
    bad[0] = 'X';
    EXPECT_FALSE(ReadFromBytes(file, bad)) << "wrong magic";

    bad = good;
    bad[28 + 4] = 0x12;  // layout type 2
    EXPECT_FALSE(ReadFromBytes(file, bad)) << "unknown layout";

    bad = good;
    bad[16] = 0xFF;  // 255 textures whose offsets are not there
    EXPECT_FALSE(ReadFromBytes(file, bad)) << "texture count";

    bad = good;
    bad[28 + 4 + 2] = 0xFF;  // 32768 x 32768 in 76 bytes
    EXPECT_FALSE(ReadFromBytes(file, bad)) << "level size";

    bad = good;
    bad[24] = 0xF0;  // extra block larger than the file
    EXPECT_FALSE(ReadFromBytes(file, bad)) << "extra block size";

    bad = good;
    bad.pop_back();
    EXPECT_FALSE(ReadFromBytes(file, bad)) << "truncated pixels";

    bad = good;
    bad[28] = 0xF0;
    bad[29] = 0xFF;
    bad[30] = 0xFF;
    bad[31] = 0xFF;  // offset wraps past 4 GiB
    EXPECT_FALSE(ReadFromBytes(file, bad)) << "texture offset";
}

TEST(G1TRead, FilesInsideALargerBlockUseOffsetsFromTheirStart) {
    const std::vector<std::uint8_t> file = HandMade(false, "0060", 28, 0, 0);
    std::vector<std::uint8_t> block(100 + file.size(), 0xEE);
    std::copy(file.begin(), file.end(), block.begin() + 100);
    CBinaryReaderFromMemory reader(block.data(), static_cast<std::uint32_t>(block.size()));
    reader.Seek(100);
    CG1TFileImpl g1t;
    ASSERT_TRUE(g1t.Read(reader));
    EXPECT_EQ(g1t.Texture(0)->surfaces.front().pixels[5], 5);
}

}  // namespace
}  // namespace lumo
