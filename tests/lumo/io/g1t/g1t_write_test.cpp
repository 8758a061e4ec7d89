#include <gtest/gtest.h>

#include <string>

#include "g1t_test_util.h"
#include "lumo/io/g1t/g1t_file.h"
#include "lumo/io/message_translator.h"

namespace lumo {
namespace {

using testing::FillPattern;
using testing::U32BE;
using testing::U32LE;
using testing::WriteToBytes;

// A one-texture file the way the face slots are made: RGBA8 on platform 0, stored as BGRA8.
std::vector<std::uint8_t> FaceLikeFile(std::uint32_t side, const std::wstring& name = L"") {
    CImage image;
    FillPattern(image, side, side);
    CG1TFileImpl file;
    file.SetPlatform(0);
    CG1TTexture& texture = file.AddTexture();
    texture.name = name;
    EXPECT_TRUE(texture.SetImage(image));
    EXPECT_TRUE(file.SetPixelFormat(kFormatRGBA8));
    EXPECT_TRUE(file.Validate());
    EXPECT_EQ(texture.Format(), kFormatBGRA8);
    return WriteToBytes(file);
}

TEST(G1TWrite, FaceTextureHasTheExactLayout) {
    const std::vector<std::uint8_t> bytes = FaceLikeFile(64);
    ASSERT_EQ(bytes.size(), 16428u);
    const std::vector<std::uint8_t> header(bytes.begin(), bytes.begin() + 44);
    const std::vector<std::uint8_t> expected{
        'G',  'T',  '1',  'G',  '0',  '6',  '0',  '0',  // magic and version, reversed
        0x2C, 0x40, 0,    0,                            // file size 16428
        32,   0,    0,    0,                            // header size
        1,    0,    0,    0,                            // texture count
        0,    0,    0,    0,                            // platform
        0,    0,    0,    0,                            // extra block size
        0,    0,    0,    0,                            // per-texture word
        4,    0,    0,    0,                            // offset of the texture from the table
        0x10, 0x01, 0x66, 0x00, 0x00, 0x10, 0x21, 0x00};
    EXPECT_EQ(header, expected);

    CImage source;
    FillPattern(source, 64, 64);
    std::vector<std::uint8_t> rgba;
    source.ExportChannels(rgba, kChannelRGBA);
    for (std::size_t i = 0; i < rgba.size(); i += 4) {
        ASSERT_EQ(bytes[44 + i + 0], rgba[i + 2]) << i;  // B
        ASSERT_EQ(bytes[44 + i + 1], rgba[i + 1]) << i;  // G
        ASSERT_EQ(bytes[44 + i + 2], rgba[i + 0]) << i;  // R
        ASSERT_EQ(bytes[44 + i + 3], rgba[i + 3]) << i;  // A
    }
}

TEST(G1TWrite, NamedTexturesCarryTheirColourSpace) {
    EXPECT_EQ(FaceLikeFile(256).size(), 262188u);

    const std::vector<std::uint8_t> specular = FaceLikeFile(64, L"SpecularMap_body");
    ASSERT_EQ(specular.size(), 16440u);
    EXPECT_EQ(specular[43], 0x10);             // extended header flag
    EXPECT_EQ(U32LE(specular, 44), 12u);       // its size
    EXPECT_EQ(U32LE(specular, 52) >> 24, 1u);  // sRGB

    for (const std::wstring name : {L"ColorSpace_LINEAR", L"NormalMap", L"colorMap"}) {
        const std::vector<std::uint8_t> linear = FaceLikeFile(64, name);
        ASSERT_EQ(linear.size(), 16440u);
        EXPECT_EQ(U32LE(linear, 52) >> 24, 0u);
    }
    for (const std::wstring name :
         {L"ColorSpace_sRGB", L"COLOR_0", L"DxTexture", L"AlphaSpecularMap"}) {
        EXPECT_EQ(U32LE(FaceLikeFile(64, name), 52) >> 24, 1u);
    }
}

TEST(G1TWrite, BigEndianPlatformsSwapFieldsAndNibbles) {
    CImage image;
    FillPattern(image, 8, 4);
    CG1TFileImpl file;
    file.SetPlatform(2);
    CG1TTexture& texture = file.AddTexture();
    texture.name = L"COLOR";
    ASSERT_TRUE(texture.SetImage(image));
    file.SetPixelFormat(kFormatRGBA8);
    const std::vector<std::uint8_t> bytes = WriteToBytes(file);
    ASSERT_EQ(bytes.size(), 28u + 4 + 4 + 8 + 12 + 8 * 4 * 4);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 8), "G1TG0060");
    EXPECT_EQ(U32BE(bytes, 8), bytes.size());
    EXPECT_EQ(U32BE(bytes, 20), 2u);
    // Record nibbles exchanged: 0x10 -> 0x01, log2 sizes 0x23 -> 0x32, byte 7 0x10 -> 0x01.
    const std::vector<std::uint8_t> record(bytes.begin() + 36, bytes.begin() + 44);
    EXPECT_EQ(record, (std::vector<std::uint8_t>{0x01, 0x00, 0x32, 0x00, 0x00, 0x01, 0x12, 0x01}));
    // The packed word keeps its colour-space field in the low byte of a big-endian word.
    EXPECT_EQ(U32BE(bytes, 44), 12u);
    EXPECT_EQ(bytes[52 + 3], 0x01);
}

TEST(G1TWrite, ValidationStopsOnTheDocumentedCodes) {
    CImage image;
    FillPattern(image, 64, 64);
    {
        CG1TFileImpl empty;
        EXPECT_FALSE(empty.Validate());
        EXPECT_EQ(empty.LastError(), kMsgNoTextures);
        CBinaryWriterForUpdateSize counter;
        EXPECT_EQ(empty.Write(counter), 0u);
    }
    {
        CG1TFileImpl file;
        file.AddTexture().SetImage(image);
        file.SetPlatform(5);
        EXPECT_FALSE(file.Validate());
        EXPECT_EQ(file.LastError(), kMsgInvalidFilePlatform);
    }
    {
        CG1TFileImpl file;
        CG1TTexture& texture = file.AddTexture();
        texture.SetImage(image);
        texture.fixed = true;
        EXPECT_FALSE(file.Validate());
        EXPECT_EQ(file.LastError(), kMsgFixedImage);
    }
    {
        CG1TFileImpl file;
        file.SetPlatform(2);
        file.AddTexture().SetImage(image);
        file.SetPixelFormat(kFormatTileDXT1);
        EXPECT_FALSE(file.Validate());
        EXPECT_EQ(file.LastError(), kMsgTileDxtTooSmall);
    }
    {
        CG1TFileImpl file;
        file.SetPlatform(3);
        file.AddTexture().SetImage(image);
        file.SetPixelFormat(kFormatDXT3);  // no entry on platform 3
        EXPECT_FALSE(file.Validate());
        EXPECT_EQ(file.LastError(), kMsgInvalidPixelFormat);
    }
    {
        CG1TFileImpl file;
        file.SetPlatform(4);
        CG1TTexture& texture = file.AddTexture();
        texture.header.SetLayout(kLayoutCube);
        texture.SetImage(image);
        EXPECT_FALSE(file.Validate());
        EXPECT_EQ(file.LastError(), kMsgInvalidPlatform);
    }
    {
        CG1TFileImpl file;
        CG1TTexture& texture = file.AddTexture();
        texture.SetImage(image);
        texture.platform = 1;
        EXPECT_FALSE(file.Validate());
        EXPECT_EQ(file.LastError(), kMsgPlatformMismatch);
    }
    {
        CG1TFileImpl file;
        file.AddTexture();  // no surfaces
        EXPECT_FALSE(file.Validate());
        EXPECT_EQ(file.LastError(), kMsgNoTextures);
    }
}

TEST(G1TWrite, ShortBufferReportsFewerBytesThanTheFileSize) {
    CImage image;
    FillPattern(image, 16, 16);
    CG1TFileImpl file;
    file.AddTexture().SetImage(image);
    std::vector<std::uint8_t> small(500);
    CBinaryWriterToMemory writer(small.data(), static_cast<std::uint32_t>(small.size()));
    const std::uint32_t written = file.Write(writer);
    EXPECT_EQ(file.fileSize, 28u + 4 + 4 + 8 + 16 * 16 * 4);
    EXPECT_LT(written, file.fileSize);
}

}  // namespace
}  // namespace lumo

namespace lumo {
namespace {

TEST(G1TWriteLimits, LevelsOfFourGibibytesAreRefusedNotCut) {
    CG1TFileImpl file;
    file.SetPlatform(0);
    CG1TTexture& texture = file.AddTexture();
    texture.header.SetFormat(kFormatRGBA32F);
    texture.header.SetMipCount(1);
    texture.header.SetLog2Size(15, 15);  // 32768 x 32768 x 16 bytes: 16 GiB
    CG1TSurface surface;
    surface.width = 32768;
    surface.height = 32768;
    surface.format = kFormatRGBA32F;
    texture.surfaces = {surface};
    CBinaryWriterForUpdateSize counter;
    EXPECT_EQ(file.Write(counter), 0u);
    EXPECT_EQ(file.LastError(), kMsgInvalidTextureSize);
}

TEST(G1TValidate, AFailureLeavesTheTextureAsItWas) {
    CG1TFileImpl file;
    file.SetPlatform(0);
    CG1TTexture& texture = file.AddTexture();
    CImage image;
    FillPattern(image, 8, 8);
    ASSERT_TRUE(texture.SetImage(image));
    texture.dirty = false;
    texture.surfaces.front().palette = {1, 2, 3, 4};  // a palette on a direct texture
    ASSERT_EQ(texture.Format(), kFormatRGBA8);        // which platform 0 stores as BGRA8
    EXPECT_FALSE(file.Validate());
    EXPECT_EQ(file.LastError(), kMsgIndexedToDirect);
    EXPECT_EQ(texture.Format(), kFormatRGBA8);
    EXPECT_FALSE(texture.dirty);
}

}  // namespace
}  // namespace lumo
