#include <gtest/gtest.h>

#include "g1t_test_util.h"
#include "lumo/io/g1t/g1t_file.h"
#include "support/allocation_probe.h"

namespace lumo {
namespace {

using testing::FillPattern;
using testing::ReadFromBytes;
using testing::WriteToBytes;

void SetU32LE(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    }
}

std::vector<std::uint8_t> OneTextureFile(std::uint32_t side, bool extended,
                                         std::vector<CG1TItem> extraItems = {}) {
    CG1TFileImpl file;
    file.SetPlatform(0);
    file.extraItems = std::move(extraItems);
    CG1TTexture& texture = file.AddTexture();
    texture.header.SetFormat(kFormatBGRA8);
    texture.header.SetExtendedHeader(extended);
    CImage image;
    FillPattern(image, side, side);
    EXPECT_TRUE(texture.SetImage(image));
    return WriteToBytes(file);
}

// Header of 28 bytes and count offsets, every one of them pointing at the same texture.
std::vector<std::uint8_t> OffsetsIntoOneTexture(std::uint32_t count) {
    const std::vector<std::uint8_t> one = OneTextureFile(64, false);
    const std::vector<std::uint8_t> texture(one.begin() + 36, one.end());
    std::vector<std::uint8_t> bytes(28 + 4 * count, 0);
    std::copy(one.begin(), one.begin() + 8, bytes.begin());
    SetU32LE(bytes, 12, 28);
    SetU32LE(bytes, 16, count);
    for (std::uint32_t i = 0; i < count; ++i) {
        SetU32LE(bytes, 28 + 4 * i, 4 * count);
    }
    bytes.insert(bytes.end(), texture.begin(), texture.end());
    SetU32LE(bytes, 8, static_cast<std::uint32_t>(bytes.size()));
    return bytes;
}

TEST(G1TReadBounds, TexturesTogetherHoldNoMoreThanTheFileHas) {
    const std::vector<std::uint8_t> bytes = OffsetsIntoOneTexture(256);
    testsupport::ResetLargestAllocation();
    CG1TFileImpl file;
    ReadFromBytes(file, bytes);
    // One texture's copy is fine; 256 of them (4 MB from a 17 KB file) are not.
    EXPECT_LE(testsupport::TotalAllocation(), 4 * bytes.size() + 65536)
        << "a " << bytes.size() << "-byte file";
    // Two offsets to distinct textures still read.
    CG1TFileImpl two;
    two.SetPlatform(0);
    for (int i = 0; i < 2; ++i) {
        CImage image;
        FillPattern(image, 8, 8, i);
        ASSERT_TRUE(two.AddTexture().SetImage(image));
    }
    CG1TFileImpl read;
    EXPECT_TRUE(ReadFromBytes(read, WriteToBytes(two)));
}

TEST(G1TReadBounds, TrailingBlockEndsWhereItsEntriesEnd) {
    const std::vector<std::uint8_t> bytes = OneTextureFile(8, false, {{5, 0, {7, 8}}});
    std::vector<std::uint8_t> inSlot = bytes;
    inSlot.resize(bytes.size() + 100, 0xEE);  // the rest of an archive slot
    CG1TFileImpl file;
    ASSERT_TRUE(ReadFromBytes(file, inSlot));
    ASSERT_TRUE(file.trailer.has_value());
    EXPECT_EQ(file.trailer->body.size(), 2u + 8u);
    EXPECT_EQ(WriteToBytes(file), bytes);

    // A block whose entries run past the data is not taken.
    std::vector<std::uint8_t> cut(bytes.begin(), bytes.end() - 1);
    CG1TFileImpl damaged;
    ASSERT_TRUE(ReadFromBytes(damaged, cut));
    EXPECT_FALSE(damaged.trailer.has_value());
}

TEST(G1TReadBounds, ExtendedHeaderSizeIsHonoured) {
    const std::vector<std::uint8_t> plain = OneTextureFile(8, true);
    constexpr std::size_t kExtended = 36 + 8;  // the size word of the extended header
    ASSERT_EQ(plain[kExtended], 12);
    // Eight more bytes of a longer extended header, which the reader does not know.
    std::vector<std::uint8_t> longer = plain;
    longer.insert(longer.begin() + kExtended + 12, {1, 2, 3, 4, 5, 6, 7, 8});
    SetU32LE(longer, kExtended, 20);
    SetU32LE(longer, 8, static_cast<std::uint32_t>(longer.size()));
    CG1TFileImpl original;
    CG1TFileImpl file;
    ASSERT_TRUE(ReadFromBytes(original, plain));
    ASSERT_TRUE(ReadFromBytes(file, longer));
    EXPECT_EQ(file.Texture(0)->surfaces, original.Texture(0)->surfaces);
    EXPECT_EQ(WriteToBytes(file), longer);

    std::vector<std::uint8_t> shorter = plain;
    SetU32LE(shorter, kExtended, 8);
    EXPECT_FALSE(ReadFromBytes(file, shorter));
    EXPECT_NE(file.ReadRefusal().find("extended texture header"), std::string_view::npos);
}

}  // namespace
}  // namespace lumo
