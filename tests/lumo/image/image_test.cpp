#include "lumo/image/image.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "lumo/io/text_writer.h"
#include "lumo/io/utf.h"

namespace lumo {
namespace {

using Bytes = std::vector<std::uint8_t>;

template <typename Image>
class ImageCommon : public ::testing::Test {};
using ImageTypes = ::testing::Types<CImage, CClassicImage>;
TYPED_TEST_SUITE(ImageCommon, ImageTypes);

CPaletteImage TwoByOnePicture(std::uint32_t colors) {
    CPaletteImage picture;
    picture.width = 2;
    picture.height = 1;
    picture.colorCount = colors;
    picture.indices = {1, 0};
    picture.palettes.assign(1, std::vector<CClassicImagePixel4>(colors));
    picture.palettes[0][0] = {10, 20, 30, 40};
    picture.palettes[0][1] = {200, 150, 100, 255};
    return picture;
}

TYPED_TEST(ImageCommon, NewImageIsEmptyWithDefaults) {
    TypeParam image;
    EXPECT_FALSE(image.IsValid());
    EXPECT_FALSE(image.IsDirect());
    EXPECT_FALSE(image.IsIndexed());
    EXPECT_FALSE(image.IsFixed());
    EXPECT_EQ(image.GetGamma(), 1.0f);
    EXPECT_EQ(image.GetAddressMode(), kAddressWrap);
    EXPECT_TRUE(image.GetName().empty());
    Bytes out{1, 2};
    EXPECT_FALSE(image.ExportChannels(out, kChannelRGBA));
    EXPECT_TRUE(out.empty());
}

TYPED_TEST(ImageCommon, CreateKinds) {
    TypeParam image;
    ASSERT_TRUE(image.Create(3, 2, kCreateDirect));
    EXPECT_TRUE(image.IsDirect());
    EXPECT_EQ(image.Pixels().size(), 24u);

    ASSERT_TRUE(image.Create(3, 2, kCreateIndexed16));
    EXPECT_TRUE(image.IsIndexed());
    EXPECT_TRUE(image.Pixels().empty());
    CPaletteImage picture;
    ASSERT_TRUE(image.GetIndexedPicture(picture));
    EXPECT_EQ(picture.indices.size(), 6u);
    EXPECT_EQ(picture.colorCount, 16u);
    ASSERT_EQ(picture.palettes.size(), 1u);
    EXPECT_EQ(picture.palettes[0].size(), 16u);
    EXPECT_EQ(image.GetPaletteCount(), 1u);

    ASSERT_TRUE(image.Create(4, 4, kCreateEmpty));
    EXPECT_TRUE(image.IsValid());
    EXPECT_FALSE(image.IsDirect() || image.IsIndexed());

    // An unknown kind still clears and takes the size.
    ASSERT_TRUE(image.Create(2, 2, kCreateDirect));
    EXPECT_FALSE(image.Create(5, 7, 9));
    EXPECT_EQ(image.GetWidth(), 5u);
    EXPECT_EQ(image.GetHeight(), 7u);
    EXPECT_FALSE(image.IsDirect());
}

TYPED_TEST(ImageCommon, CreateRefusesSizesTooLargeToHold) {
    TypeParam image;
    ASSERT_TRUE(image.Create(2, 2, kCreateDirect));
    EXPECT_FALSE(image.Create(32768, 32768, kCreateDirect));
    EXPECT_FALSE(image.Create(0xFFFFFFFF, 0xFFFFFFFF, kCreateEmpty));
    EXPECT_EQ(image.GetWidth(), 2u);
    EXPECT_EQ(image.Pixels().size(), 16u);
}

TYPED_TEST(ImageCommon, ImportChecksTheBufferSizeAgainstTheMask) {
    TypeParam image;
    EXPECT_FALSE(image.ImportChannels(Bytes{1, 2, 3, 4}, kChannelRGBA));  // no size
    ASSERT_TRUE(image.Create(2, 1, kCreateDirect));
    EXPECT_FALSE(image.ImportChannels(Bytes{}, kChannelRGBA));
    const Bytes rgba{1, 2, 3, 4, 5, 6, 7, 8};
    const Bytes rgb{9, 10, 11, 12, 13, 14};
    EXPECT_FALSE(image.ImportChannels(rgb, kChannelRGBA));
    ASSERT_TRUE(image.ImportChannels(rgba, kChannelRGBA));
    ASSERT_TRUE(image.ImportChannels(rgb, kChannelR | kChannelG | kChannelB));
    Bytes out;
    ASSERT_TRUE(image.ExportChannels(out, kChannelRGBA));
    EXPECT_EQ(out, (Bytes{9, 10, 11, 4, 12, 13, 14, 8}));  // alpha kept
    ASSERT_TRUE(image.ExportChannels(out, kChannelG | kChannelA));
    EXPECT_EQ(out, (Bytes{10, 4, 13, 8}));
}

TYPED_TEST(ImageCommon, EveryByteSurvivesImportAndExport) {
    TypeParam image;
    ASSERT_TRUE(image.Create(64, 1, kCreateEmpty));
    Bytes in(256);
    for (int i = 0; i < 256; ++i) {
        in[i] = static_cast<std::uint8_t>(i);
    }
    ASSERT_TRUE(image.ImportChannels(in, kChannelRGBA));
    EXPECT_TRUE(image.IsDirect());
    Bytes out;
    ASSERT_TRUE(image.ExportChannels(out, kChannelRGBA));
    EXPECT_EQ(out, in);
}

TYPED_TEST(ImageCommon, ImportTurnsAnIndexedPictureDirect) {
    TypeParam image;
    ASSERT_TRUE(image.Create(1, 1, kCreateIndexed256));
    ASSERT_TRUE(image.ImportChannels(Bytes{7}, kChannelB));
    EXPECT_TRUE(image.IsDirect());
    EXPECT_FALSE(image.IsIndexed());
    EXPECT_EQ(image.GetPaletteCount(), 0u);
    Bytes out;
    ASSERT_TRUE(image.ExportChannels(out, kChannelRGBA));
    EXPECT_EQ(out, (Bytes{0, 0, 7, 0}));
}

TEST(Image, ImportStoresBytesOverTwoHundredFiftyFive) {
    CImage image;
    ASSERT_TRUE(image.Create(1, 1, kCreateDirect));
    ASSERT_TRUE(image.ImportChannels(Bytes{0, 51, 255, 128}, kChannelRGBA));
    EXPECT_EQ(image.Pixels()[0], 0.0f);
    EXPECT_FLOAT_EQ(image.Pixels()[1], 0.2f);
    EXPECT_EQ(image.Pixels()[2], 1.0f);
    EXPECT_EQ(image.Pixels()[3], static_cast<float>(128 / 255.0));

    CClassicImage classic;
    ASSERT_TRUE(classic.Create(1, 1, kCreateDirect));
    ASSERT_TRUE(classic.ImportChannels(Bytes{0, 51, 255, 128}, kChannelRGBA));
    EXPECT_EQ(classic.Pixels(), (std::vector<std::uint8_t>{0, 51, 255, 128}));
}

TEST(Image, ExportTruncatesAndClipsFloats) {
    CImage image;
    ASSERT_TRUE(image.Create(2, 1, kCreateDirect));
    image.Pixels() = {1.0f, 0.999f, -0.1f, 2.0f, 0.5f, std::numeric_limits<float>::quiet_NaN(),
                      0.0f, 1.0001f};
    Bytes out;
    ASSERT_TRUE(image.ExportChannels(out, kChannelRGBA));
    EXPECT_EQ(out, (Bytes{255, 254, 0, 255, 127, 0, 0, 255}));
}

// The written-out export rule: product rounded to float, clipped, truncated.
std::uint8_t LiteralByteRule(float f) {
    float v = f * 255.0f;
    if (std::isnan(v)) {
        return 0;
    }
    v = v < 0.0f ? 0.0f : (v > 255.999f ? 255.999f : v);
    return static_cast<std::uint8_t>(v);
}

TEST(Image, ByteConversionMatchesTheExportRuleAcrossTheRange) {
    // Every 97th float from 0 to just above 1, about 11 million of them.
    for (std::uint32_t bits = 0; bits < 0x3F810000u; bits += 97) {
        float f;
        std::memcpy(&f, &bits, sizeof f);
        ASSERT_EQ(FloatToByte(f), LiteralByteRule(f)) << f;
        ASSERT_EQ(FloatToByte(-f), 0) << f;
    }
    // The floats just below each b / 255 must truncate to b - 1: no rounding to nearest.
    for (int b = 0; b < 256; ++b) {
        const float f = static_cast<float>(b / 255.0);
        EXPECT_EQ(LiteralByteRule(f), b);
        EXPECT_EQ(LiteralByteRule(std::nextafter(f, 0.0f)), b == 0 ? 0 : b - 1) << b;
    }
}

TEST(Image, FloatImageTakesAnyConsistentIndexedPicture) {
    CImage image;
    ASSERT_TRUE(image.Create(5, 5, kCreateDirect));
    ASSERT_TRUE(image.SetIndexedPicture(TwoByOnePicture(256)));
    EXPECT_EQ(image.GetWidth(), 2u);
    EXPECT_EQ(image.GetHeight(), 1u);
    EXPECT_TRUE(image.IsIndexed());
    Bytes out;
    ASSERT_TRUE(image.ExportChannels(out, kChannelRGBA));
    EXPECT_EQ(out, (Bytes{200, 150, 100, 255, 10, 20, 30, 40}));

    CPaletteImage broken = TwoByOnePicture(16);
    broken.indices.pop_back();
    EXPECT_FALSE(image.SetIndexedPicture(broken));
    broken = TwoByOnePicture(16);
    broken.palettes[0].resize(4);  // fewer colours than the count says
    EXPECT_FALSE(image.SetIndexedPicture(broken));
    EXPECT_EQ(image.GetWidth(), 2u);
}

TEST(Image, ClassicImageTakesIndexedPicturesOnlyIntoItsOwnSize) {
    CClassicImage image;
    EXPECT_FALSE(image.SetIndexedPicture(TwoByOnePicture(16)));  // no size yet
    ASSERT_TRUE(image.Create(2, 1, kCreateDirect));
    EXPECT_FALSE(image.SetIndexedPicture(TwoByOnePicture(32)));
    ASSERT_TRUE(image.Create(3, 1, kCreateEmpty));
    EXPECT_FALSE(image.SetIndexedPicture(TwoByOnePicture(16)));
    ASSERT_TRUE(image.Create(2, 1, kCreateDirect));
    ASSERT_TRUE(image.SetIndexedPicture(TwoByOnePicture(16)));
    EXPECT_TRUE(image.IsIndexed());
    Bytes out;
    ASSERT_TRUE(image.ExportChannels(out, kChannelR));
    EXPECT_EQ(out, (Bytes{200, 10}));
}

TYPED_TEST(ImageCommon, FixedImageRefusesChangesButNotClearOrSettings) {
    TypeParam image;
    ASSERT_TRUE(image.Create(2, 1, kCreateIndexed16));
    ASSERT_TRUE(image.SetTag(5));
    ASSERT_TRUE(image.SetFixed(true));
    CPaletteImage picture;
    EXPECT_FALSE(image.GetIndexedPicture(picture));
    EXPECT_FALSE(image.Create(1, 1, kCreateDirect));
    EXPECT_FALSE(image.SetIndexedPicture(TwoByOnePicture(16)));
    EXPECT_FALSE(image.ImportChannels(Bytes{1, 2}, kChannelR));
    EXPECT_FALSE(image.ApplyGamma(2.0f));
    EXPECT_FALSE(image.SetTag(6));
    EXPECT_EQ(image.GetTag(), 5u);
    EXPECT_EQ(image.GetGamma(), 1.0f);
    EXPECT_TRUE(image.IsIndexed());

    EXPECT_TRUE(image.SetGammaValue(2.2f));
    EXPECT_EQ(image.GetGamma(), 2.2f);
    EXPECT_TRUE(image.SetAddressMode(kAddressClamp));
    EXPECT_TRUE(image.Clear());
    EXPECT_FALSE(image.IsValid());
    EXPECT_TRUE(image.IsFixed());
}

TYPED_TEST(ImageCommon, AddressModeMapsOutsideCoordinates) {
    TypeParam image;
    ASSERT_TRUE(image.Create(3, 1, kCreateDirect));
    ASSERT_TRUE(image.ImportChannels(Bytes{0, 51, 255}, kChannelR));
    CImagePixel4 pixel;
    ASSERT_TRUE(image.GetPixel(-1, 5, pixel));  // wrap: column 2
    EXPECT_EQ(pixel.r, 1.0f);
    ASSERT_TRUE(image.GetPixel(4, 0, pixel));
    EXPECT_FLOAT_EQ(pixel.r, 0.2f);

    EXPECT_FALSE(image.SetAddressMode(2));
    EXPECT_EQ(image.GetAddressMode(), kAddressWrap);
    ASSERT_TRUE(image.SetAddressMode(kAddressClamp));
    ASSERT_TRUE(image.GetPixel(-1, 5, pixel));
    EXPECT_EQ(pixel.r, 0.0f);
    ASSERT_TRUE(image.GetPixel(4, 0, pixel));
    EXPECT_EQ(pixel.r, 1.0f);
}

TYPED_TEST(ImageCommon, SetPixelStaysInsideTheImage) {
    TypeParam image;
    ASSERT_TRUE(image.Create(2, 2, kCreateDirect));
    EXPECT_FALSE(image.SetPixel(2, 0, {1, 1, 1, 1}));
    EXPECT_FALSE(image.SetPixel(0, 2, {1, 1, 1, 1}));
    ASSERT_TRUE(image.SetPixel(1, 1, {1.0f, 0.5f, 0.0f, 1.0f}));
    Bytes out;
    ASSERT_TRUE(image.ExportChannels(out, kChannelRGBA));
    EXPECT_EQ(out, (Bytes{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 255, 127, 0, 255}));
}

TEST(Image, GammaRemapsColourChannelsOnly) {
    CImage image;
    ASSERT_TRUE(image.Create(1, 1, kCreateDirect));
    image.Pixels() = {0.25f, 0.5f, 1.0f, 0.25f};
    ASSERT_TRUE(image.ApplyGamma(2.0f));
    EXPECT_EQ(image.Pixels(), (std::vector<float>{0.0625f, 0.25f, 1.0f, 0.25f}));
    EXPECT_EQ(image.GetGamma(), 2.0f);

    CClassicImage classic;
    EXPECT_FALSE(classic.ApplyGamma(2.0f));  // empty
    ASSERT_TRUE(classic.Create(1, 1, kCreateDirect));
    ASSERT_TRUE(classic.ImportChannels(Bytes{128, 255, 64, 128}, kChannelRGBA));
    ASSERT_TRUE(classic.ApplyGamma(0.5f));
    // sqrt(128/255) * 255 = 180.67, sqrt(64/255) * 255 = 127.75: truncated, not rounded.
    EXPECT_EQ(classic.Pixels(), (std::vector<std::uint8_t>{180, 255, 127, 128}));
}

TYPED_TEST(ImageCommon, GammaOfAnIndexedPictureChangesThePalette) {
    TypeParam image;
    ASSERT_TRUE(image.Create(2, 1, kCreateIndexed256));
    ASSERT_TRUE(image.SetPaletteColor(0, 3, {128, 64, 255, 100}));
    ASSERT_TRUE(image.ApplyGamma(0.5f));
    CClassicImagePixel4 color;
    ASSERT_TRUE(image.GetPaletteColor(0, 3, color));
    EXPECT_EQ(color.r, 180);
    EXPECT_EQ(color.g, 127);
    EXPECT_EQ(color.b, 255);
    EXPECT_EQ(color.a, 100);
    EXPECT_FALSE(image.GetPaletteColor(0, 256, color));
    EXPECT_FALSE(image.GetPaletteColor(1, 0, color));
}

class CaptureWriter : public CTextWriterBase {
public:
    void Write(std::string_view text) override { captured += Utf8ToWide(text); }
    void Write(std::wstring_view text) override { captured += text; }
    void Flush() override {}
    std::wstring captured;
};

TEST(Image, DumpWritesOneLineAndMarksFixedImages) {
    CaptureWriter writer;
    RegisterTextWriter(&writer);
    CImage image;
    ASSERT_TRUE(image.SetName(L"face"));
    ASSERT_TRUE(image.Create(4, 2, kCreateDirect));
    ASSERT_TRUE(image.SetGammaValue(2.2f));
    EXPECT_TRUE(image.Dump());
    const std::wstring line =
        L"Image name = face,\t\tWidth = 4, Height = 2,\tGamma = 2.20,\tdatasize = 0x00000020(32)\n";
    EXPECT_EQ(writer.captured, line);

    writer.captured.clear();
    image.SetFixed(true);
    EXPECT_TRUE(image.Dump());
    EXPECT_EQ(writer.captured, L"[fixed]" + line);
    UnregisterTextWriter(&writer);
}

TEST(Image, CopyConvertsBetweenFloatAndByteChannels) {
    CClassicImage indexed;
    ASSERT_TRUE(indexed.Create(2, 1, kCreateEmpty));
    ASSERT_TRUE(indexed.SetIndexedPicture(TwoByOnePicture(16)));
    CImage image;
    ASSERT_TRUE(image.CopyFrom(indexed));
    EXPECT_TRUE(image.IsDirect());
    EXPECT_FALSE(image.CopyFrom(image));
    image.Pixels()[0] = 1.5f;  // clipped on the way to bytes

    CClassicImage classic;
    ASSERT_TRUE(classic.CopyFrom(image));
    EXPECT_EQ(classic.Pixels(), (std::vector<std::uint8_t>{255, 150, 100, 255, 10, 20, 30, 40}));
    CImage empty;
    EXPECT_FALSE(classic.CopyFrom(empty));
    EXPECT_EQ(classic.GetWidth(), 2u);
}

TYPED_TEST(ImageCommon, FlipAndConvertKeepPixelsTogether) {
    TypeParam image;
    CPaletteImage picture = TwoByOnePicture(16);
    picture.width = 1;
    picture.height = 2;
    ASSERT_TRUE(image.Create(1, 2, kCreateEmpty));
    ASSERT_TRUE(image.SetIndexedPicture(picture));
    ASSERT_TRUE(image.FlipVertical());
    ASSERT_TRUE(image.ConvertToDirect());
    EXPECT_FALSE(image.IsIndexed());
    EXPECT_FALSE(image.ConvertToDirect());
    ASSERT_TRUE(image.FlipVertical());
    Bytes out;
    ASSERT_TRUE(image.ExportChannels(out, kChannelRGBA));
    EXPECT_EQ(out, (Bytes{200, 150, 100, 255, 10, 20, 30, 40}));
}

}  // namespace
}  // namespace lumo
