#include <gtest/gtest.h>

#include "g1t_test_util.h"
#include "lumo/io/g1t/g1t_file.h"

namespace lumo {
namespace {

using testing::FillPattern;
using testing::ReadFromBytes;
using testing::WriteToBytes;

struct RoundTripCase {
    std::uint32_t platform;
    std::uint32_t format;
    std::uint32_t layout;
    std::uint32_t levels;
};

// Builds a file with two textures, extra items and the given texture shape.
void BuildFile(CG1TFileImpl& file, const RoundTripCase& c) {
    file.SetPlatform(c.platform);
    file.extraItems = {{1, 7, {10, 20}}, {2, 0, {}}, {9, 3, {0xDEADBEEF}}};
    for (std::uint32_t t = 0; t < 2; ++t) {
        CG1TTexture& texture = file.AddTexture();
        texture.header.SetLayout(c.layout);
        texture.header.SetMipCount(c.levels);
        texture.header.SetFormat(c.format);
        texture.header.bytes[3] = 0x5A;  // uninterpreted nibbles must survive
        texture.extended.value = 1.5f;
        texture.extended.packed = 0x0123456Au;
        texture.header.SetExtendedHeader(t == 1);
        for (std::uint32_t face = 0; face < texture.FaceCount(); ++face) {
            CImage image;
            FillPattern(image, 16, 8 << t, face + t);
            ASSERT_TRUE(texture.SetImage(image, face, 1));
        }
        texture.surfaces.front().headerWord = 100 + t;
    }
}

void ExpectSameContent(const CG1TFileImpl& a, const CG1TFileImpl& b) {
    EXPECT_EQ(a.magic, b.magic);
    EXPECT_EQ(a.version, b.version);
    EXPECT_EQ(a.fileSize, b.fileSize);
    EXPECT_EQ(a.headerSize, b.headerSize);
    EXPECT_EQ(a.platform, b.platform);
    EXPECT_EQ(a.extraBlockSize, b.extraBlockSize);
    EXPECT_EQ(a.textureWords, b.textureWords);
    EXPECT_EQ(a.textureOffsets, b.textureOffsets);
    EXPECT_EQ(a.extraItems, b.extraItems);
    EXPECT_EQ(a.trailer, b.trailer);
    ASSERT_EQ(a.TextureCount(), b.TextureCount());
    for (std::size_t i = 0; i < a.TextureCount(); ++i) {
        const CG1TTexture& x = *a.Texture(i);
        const CG1TTexture& y = *b.Texture(i);
        EXPECT_EQ(x.header, y.header);
        EXPECT_EQ(x.header.HasExtendedHeader(), y.header.HasExtendedHeader());
        if (x.header.HasExtendedHeader()) {
            EXPECT_EQ(x.extended, y.extended);
        }
        EXPECT_EQ(x.surfaces, y.surfaces);
    }
}

class G1TRoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(G1TRoundTrip, ReadBackFieldForFieldAndRewrittenByteForByte) {
    CG1TFileImpl original;
    BuildFile(original, GetParam());
    const std::vector<std::uint8_t> bytes = WriteToBytes(original);
    ASSERT_FALSE(bytes.empty());

    CG1TFileImpl read;
    ASSERT_TRUE(ReadFromBytes(read, bytes));
    ExpectSameContent(original, read);
    EXPECT_EQ(WriteToBytes(read), bytes);

    // Pixels decode to what was put in (exactly for the byte formats).
    CImage expected;
    FillPattern(expected, 16, 8, 0);
    CImage decoded;
    ASSERT_TRUE(read.Texture(0)->GetImage(decoded));
    if (GetParam().format == kFormatBGRA8 || GetParam().format == kFormatRGBA8) {
        EXPECT_EQ(decoded.Pixels(), expected.Pixels());
    }
}

INSTANTIATE_TEST_SUITE_P(Layouts, G1TRoundTrip,
                         ::testing::Values(RoundTripCase{0, kFormatBGRA8, kLayoutSingle, 3},
                                           RoundTripCase{1, kFormatRGBA8, kLayoutSingle, 4},
                                           RoundTripCase{0, kFormatBGRA8, kLayoutCube, 2},
                                           RoundTripCase{1, kFormatBGRA8, kLayoutCube, 3},
                                           RoundTripCase{2, kFormatRGBA8, kLayoutCube, 2},
                                           RoundTripCase{0, kFormatDXT5, kLayoutSingle, 3},
                                           RoundTripCase{2, kFormatDXT1, kLayoutSingle, 2},
                                           RoundTripCase{4, kFormatDXT3, kLayoutSingle, 2},
                                           RoundTripCase{0, kFormatRGBA16F, kLayoutSingle, 2},
                                           RoundTripCase{1, kFormatRGBA32F, kLayoutCube, 1}));

TEST(G1TRoundTripDetails, CubeMapsAreStoredInThePlatformsOrder) {
    for (std::uint32_t platform : {0u, 1u}) {
        CG1TFileImpl file;
        BuildFile(file, {platform, kFormatBGRA8, kLayoutCube, 2});
        const std::vector<std::uint8_t> bytes = WriteToBytes(file);
        const CG1TTexture& t = *file.Texture(0);
        // The second surface written is face 0 level 1 on platform 1, face 1 level 0 otherwise.
        const std::size_t second = 28 + 8 + 8 + file.extraBlockSize + 8 + 16 * 8 * 4;
        const CG1TSurface& expected = platform == 1 ? *t.Surface(0, 1) : *t.Surface(1, 0);
        ASSERT_GE(bytes.size(), second + expected.pixels.size());
        EXPECT_TRUE(std::equal(expected.pixels.begin(), expected.pixels.end(),
                               bytes.begin() + static_cast<std::ptrdiff_t>(second)))
            << platform;
    }
}

TEST(G1TRoundTripDetails, UnparsableExtraBlockAndTrailerAreKeptAsTheyWere) {
    CG1TFileImpl original;
    BuildFile(original, {0, kFormatBGRA8, kLayoutSingle, 1});
    original.extraItems.clear();
    original.extraRaw = {1, 2, 3, 4, 5};  // not whole items
    CG1TTrailer trailer;
    trailer.entryValue = 2;
    trailer.body = {4, 0, 0, 0, 9, 9, 9, 9};  // two entries of 4 and 0 bytes, little-endian
    original.trailer = trailer;
    const std::vector<std::uint8_t> bytes = WriteToBytes(original);

    CG1TFileImpl read;
    ASSERT_TRUE(ReadFromBytes(read, bytes));
    EXPECT_EQ(read.extraRaw, original.extraRaw);
    ASSERT_TRUE(read.trailer.has_value());
    EXPECT_EQ(read.trailer->body, trailer.body);
    EXPECT_EQ(read.trailer->entryValue, 2);
    EXPECT_EQ(WriteToBytes(read), bytes);
    EXPECT_EQ(std::string(bytes.end() - 24, bytes.end() - 20), "LT1G");
    EXPECT_EQ(read.WrittenSize(), bytes.size());
    EXPECT_EQ(read.fileSize, bytes.size() - 24);
}

TEST(G1TRoundTripDetails, TextureItemsOfTypeFiveMakeATrailer) {
    CG1TFileImpl file;
    BuildFile(file, {0, kFormatBGRA8, kLayoutSingle, 1});
    file.extraItems.push_back({5, 0, {7, 8}});
    const std::vector<std::uint8_t> bytes = WriteToBytes(file);
    CG1TFileImpl read;
    ASSERT_TRUE(ReadFromBytes(read, bytes));
    ASSERT_TRUE(read.trailer.has_value());
    EXPECT_EQ(read.trailer->platform, 5);
    EXPECT_EQ(read.trailer->body.size(), 2u + 8u);
}

}  // namespace
}  // namespace lumo
