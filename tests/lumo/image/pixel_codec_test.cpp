#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "lumo/image/block_coder.h"
#include "lumo/image/pixel_codec.h"
#include "lumo/io/pixel_format.h"

namespace lumo {
namespace {

using Bytes = std::vector<std::uint8_t>;

CTextureDesc Desc(std::uint32_t width, std::uint32_t height, std::uint32_t format,
                  std::uint32_t platform = 0, bool swapBytes = false) {
    CTextureDesc desc;
    desc.width = width;
    desc.height = height;
    desc.format = format;
    desc.platform = platform;
    desc.swapBytes = swapBytes;
    return desc;
}

// A diagonal ramp whose colours lie on one line, the shape a DXT block encodes well.
Bytes Smooth(std::uint32_t width, std::uint32_t height) {
    Bytes rgba;
    for (std::uint32_t y = 0; y < height; ++y) {
        for (std::uint32_t x = 0; x < width; ++x) {
            const std::uint32_t t = (x + y) * 255 / (width + height - 2);
            rgba.push_back(static_cast<std::uint8_t>(t));
            rgba.push_back(static_cast<std::uint8_t>(40 + t * 3 / 4));
            rgba.push_back(static_cast<std::uint8_t>(220 - t / 2));
            rgba.push_back(static_cast<std::uint8_t>(255 - t / 3));
        }
    }
    return rgba;
}

void Load(CClassicImage& image, std::uint32_t width, std::uint32_t height, const Bytes& rgba) {
    ASSERT_TRUE(image.Create(width, height, kCreateDirect));
    image.Pixels() = rgba;
}

void Load(CImage& image, std::uint32_t width, std::uint32_t height, const Bytes& rgba) {
    ASSERT_TRUE(image.Create(width, height, kCreateDirect));
    std::transform(rgba.begin(), rgba.end(), image.Pixels().begin(), ByteToFloat);
}

Bytes ToBytes(const CImage& image) {
    Bytes out(image.Pixels().size());
    std::transform(image.Pixels().begin(), image.Pixels().end(), out.begin(), FloatToByte);
    return out;
}

int MaxDifference(const Bytes& a, const Bytes& b) {
    int worst = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        worst = std::max(worst, std::abs(int{a[i]} - int{b[i]}));
    }
    return worst;
}

TEST(PixelCodec, UnsupportedOrTinySurfacesTakeTheFallback) {
    const CTextureDesc cases[] = {
        Desc(2, 8, kFormatDXT5),
        Desc(8, 3, kFormatDXT1, 4),
        Desc(4, 4, kFormatR32F),
        Desc(4, 4, kFormatRGBA8, 3),
        Desc(4, 4, kFormatBGRA8, 4),
        Desc(4, 4, kFormatRGBA16F, 4),
        Desc(4, 4, 60),
        Desc(4, 4, kFormatRGBA8, 9),
    };
    for (const CTextureDesc& desc : cases) {
        const std::size_t values = std::size_t{desc.width} * desc.height * 4;
        CImage image;
        Load(image, desc.width, desc.height, Bytes(values, 200));
        Bytes out;
        ASSERT_TRUE(EncodePixels(desc, image, out));
        EXPECT_EQ(out, Bytes(values, 0)) << desc.format << " on " << desc.platform;

        const Bytes stored(values, 0xFF);
        ASSERT_TRUE(DecodePixels(desc, stored.data(), stored.size(), image));
        EXPECT_EQ(image.GetWidth(), desc.width);
        EXPECT_EQ(image.Pixels(), std::vector<float>(values, 0.0f));
        CClassicImage bytes;
        ASSERT_TRUE(DecodePixels(desc, stored.data(), stored.size(), bytes));
        EXPECT_EQ(bytes.Pixels(), Bytes(values, 0));
    }
}

TEST(PixelCodec, StoredByteOrdersOf32BitPixels) {
    struct Case {
        std::uint32_t format;
        bool swapBytes;
        Bytes stored;
    };
    const Case cases[] = {
        {kFormatRGBA8, false, {0x11, 0x22, 0x33, 0x44}},
        {kFormatRGBA8, true, {0x44, 0x33, 0x22, 0x11}},
        {kFormatBGRA8, false, {0x33, 0x22, 0x11, 0x44}},
        {kFormatBGRA8, true, {0x44, 0x11, 0x22, 0x33}},
    };
    const Bytes rgba{0x11, 0x22, 0x33, 0x44};
    for (const Case& c : cases) {
        const CTextureDesc desc = Desc(1, 1, c.format, 0, c.swapBytes);
        CClassicImage bytes;
        CImage floats;
        Load(bytes, 1, 1, rgba);
        Load(floats, 1, 1, rgba);
        Bytes out;
        ASSERT_TRUE(EncodePixels(desc, bytes, out));
        EXPECT_EQ(out, c.stored) << c.format << " swap " << c.swapBytes;
        ASSERT_TRUE(EncodePixels(desc, floats, out));
        EXPECT_EQ(out, c.stored) << c.format << " swap " << c.swapBytes;

        ASSERT_TRUE(DecodePixels(desc, c.stored.data(), 4, bytes));
        EXPECT_EQ(bytes.Pixels(), rgba);
        ASSERT_TRUE(DecodePixels(desc, c.stored.data(), 4, floats));
        EXPECT_EQ(ToBytes(floats), rgba);
    }
}

TEST(PixelCodec, Bgra8OfPureRed) {
    CImage image;
    ASSERT_TRUE(image.Create(1, 1, kCreateDirect));
    image.Pixels() = {1.0f, 0.0f, 0.0f, 1.0f};
    Bytes out;
    ASSERT_TRUE(EncodePixels(Desc(1, 1, kFormatBGRA8), image, out));
    EXPECT_EQ(out, (Bytes{0, 0, 255, 255}));
}

TEST(PixelCodec, EveryByteSurvivesBgra8OnBothImageKinds) {
    Bytes rgba(256);
    for (std::size_t i = 0; i < rgba.size(); ++i) {
        rgba[i] = static_cast<std::uint8_t>(i * 167);  // every value once, mixed positions
    }
    const CTextureDesc desc = Desc(8, 8, kFormatBGRA8);
    CClassicImage bytes;
    CImage floats;
    Load(bytes, 8, 8, rgba);
    Load(floats, 8, 8, rgba);
    Bytes fromBytes;
    Bytes fromFloats;
    ASSERT_TRUE(EncodePixels(desc, bytes, fromBytes));
    ASSERT_TRUE(EncodePixels(desc, floats, fromFloats));
    EXPECT_EQ(fromBytes, fromFloats);
    for (std::size_t i = 0; i < rgba.size(); i += 4) {
        EXPECT_EQ(fromBytes[i], rgba[i + 2]);
        EXPECT_EQ(fromBytes[i + 2], rgba[i]);
    }
    ASSERT_TRUE(DecodePixels(desc, fromBytes.data(), fromBytes.size(), bytes));
    ASSERT_TRUE(DecodePixels(desc, fromBytes.data(), fromBytes.size(), floats));
    EXPECT_EQ(bytes.Pixels(), rgba);
    EXPECT_EQ(ToBytes(floats), rgba);
}

TEST(PixelCodec, FloatFormatsKeepValuesInPlatformByteOrder) {
    const std::vector<float> values{2.5f, -1.0f, 0.5f, 65504.0f};
    struct Case {
        std::uint32_t format;
        bool swapBytes;
        Bytes stored;
    };
    const Case cases[] = {
        {kFormatRGBA16F, false, {0x00, 0x41, 0x00, 0xBC, 0x00, 0x38, 0xFF, 0x7B}},
        {kFormatRGBA16F, true, {0x41, 0x00, 0xBC, 0x00, 0x38, 0x00, 0x7B, 0xFF}},
        {kFormatRGBA32F,
         false,
         {0, 0, 0x20, 0x40, 0, 0, 0x80, 0xBF, 0, 0, 0, 0x3F, 0, 0xE0, 0x7F, 0x47}},
        {kFormatRGBA32F,
         true,
         {0x40, 0x20, 0, 0, 0xBF, 0x80, 0, 0, 0x3F, 0, 0, 0, 0x47, 0x7F, 0xE0, 0}},
    };
    for (const Case& c : cases) {
        const CTextureDesc desc = Desc(1, 1, c.format, 2, c.swapBytes);
        CImage image;
        ASSERT_TRUE(image.Create(1, 1, kCreateDirect));
        image.Pixels() = values;
        Bytes out;
        ASSERT_TRUE(EncodePixels(desc, image, out));
        EXPECT_EQ(out, c.stored) << c.format << " swap " << c.swapBytes;
        ASSERT_TRUE(DecodePixels(desc, c.stored.data(), c.stored.size(), image));
        EXPECT_EQ(image.Pixels(), values);
        CClassicImage bytes;  // through the float values, clamped on the way
        ASSERT_TRUE(DecodePixels(desc, c.stored.data(), c.stored.size(), bytes));
        EXPECT_EQ(bytes.Pixels(), (Bytes{255, 0, 127, 255}));
    }
}

TEST(PixelCodec, DxtRoundTripStaysNearASmoothPicture) {
    const Bytes source = Smooth(16, 16);
    for (const std::uint32_t format : {kFormatDXT1, kFormatDXT3, kFormatDXT5}) {
        const CTextureDesc desc = Desc(16, 16, format);
        CImage image;
        Load(image, 16, 16, source);
        Bytes blocks;
        ASSERT_TRUE(EncodePixels(desc, image, blocks));
        ASSERT_EQ(blocks.size(), BlockBytes(16, 16, format));
        ASSERT_TRUE(DecodePixels(desc, blocks.data(), blocks.size(), image));
        Bytes decoded = ToBytes(image);
        Bytes expected = source;
        if (format == kFormatDXT1) {  // no alpha beyond one bit: compare colours only
            for (std::size_t i = 3; i < decoded.size(); i += 4) {
                decoded[i] = expected[i] = 0;
            }
        }
        EXPECT_LE(MaxDifference(decoded, expected), 12) << format;
    }
}

TEST(PixelCodec, DxtSurfaceSizes) {
    CClassicImage image;
    Load(image, 64, 64, Smooth(64, 64));
    Bytes out;
    ASSERT_TRUE(EncodePixels(Desc(64, 64, kFormatDXT1), image, out));
    EXPECT_EQ(out.size(), 2048u);
    ASSERT_TRUE(EncodePixels(Desc(64, 64, kFormatDXT5), image, out));
    EXPECT_EQ(out.size(), 4096u);

    Load(image, 6, 5, Smooth(6, 5));  // padded to 2 x 2 blocks, cropped back on decoding
    ASSERT_TRUE(EncodePixels(Desc(6, 5, kFormatDXT1), image, out));
    EXPECT_EQ(out.size(), 32u);
    ASSERT_TRUE(DecodePixels(Desc(6, 5, kFormatDXT1), out.data(), out.size(), image));
    EXPECT_EQ(image.GetWidth(), 6u);
    EXPECT_EQ(image.GetHeight(), 5u);
    EXPECT_EQ(image.Pixels().size(), 6u * 5 * 4);
}

TEST(PixelCodec, DxtBlockOrdersOfPlatforms2And4) {
    const Bytes source = Smooth(8, 8);
    for (const std::uint32_t format : {kFormatDXT1, kFormatDXT3, kFormatDXT5}) {
        CClassicImage image;
        Load(image, 8, 8, source);
        Bytes plain;
        Bytes console;
        Bytes handheld;
        ASSERT_TRUE(EncodePixels(Desc(8, 8, format, 0), image, plain));
        ASSERT_TRUE(EncodePixels(Desc(8, 8, format, 2, true), image, console));
        ASSERT_TRUE(EncodePixels(Desc(8, 8, format, 4), image, handheld));
        ASSERT_EQ(console.size(), plain.size());
        ASSERT_EQ(handheld.size(), plain.size());
        const std::size_t blockSize = format == kFormatDXT1 ? 8 : 16;
        for (std::size_t i = 0; i < plain.size(); ++i) {
            EXPECT_EQ(console[i], plain[i ^ 1]) << "byte " << i;
            const std::size_t block = i / blockSize * blockSize;
            const std::size_t word = (i % blockSize) / 4;
            const std::size_t mirrored = block + (blockSize / 4 - 1 - word) * 4 + i % 4;
            EXPECT_EQ(handheld[i], plain[mirrored]) << "byte " << i;
        }
        CClassicImage expected;
        ASSERT_TRUE(DecodePixels(Desc(8, 8, format, 0), plain.data(), plain.size(), expected));
        ASSERT_TRUE(DecodePixels(Desc(8, 8, format, 2), console.data(), console.size(), image));
        EXPECT_EQ(image.Pixels(), expected.Pixels());
        ASSERT_TRUE(DecodePixels(Desc(8, 8, format, 4), handheld.data(), handheld.size(), image));
        EXPECT_EQ(image.Pixels(), expected.Pixels());
    }
}

TEST(PixelCodec, NormalMapsEncodeFullBlue) {
    Bytes source = Smooth(8, 8);
    for (std::size_t i = 2; i < source.size(); i += 4) {
        source[i] = 0;
    }
    const std::vector<CG1TItem> normalMap{{kAttributeNormalMap, 0, {0, 1}}};
    const std::vector<CG1TItem> otherValue{{kAttributeNormalMap, 0, {1, 0}}};
    for (const auto* attributes : {&normalMap, &otherValue}) {
        CTextureDesc desc = Desc(8, 8, kFormatDXT5);
        desc.attributes = attributes;
        CClassicImage image;
        Load(image, 8, 8, source);
        Bytes blocks;
        ASSERT_TRUE(EncodePixels(desc, image, blocks));
        ASSERT_TRUE(DecodePixels(desc, blocks.data(), blocks.size(), image));
        const std::uint8_t blue = attributes == &normalMap ? 255 : 0;
        for (std::size_t i = 2; i < source.size(); i += 4) {
            ASSERT_EQ(image.Pixels()[i], blue) << "pixel " << i / 4;
        }
    }
}

TEST(PixelCodec, ShortOrHugeSurfacesAreRefusedBeforeReading) {
    CClassicImage image;
    Load(image, 2, 2, Bytes(16, 9));
    const Bytes stored(1024, 0x5A);
    const struct {
        CTextureDesc desc;
        std::size_t size;
    } cases[] = {
        {Desc(4, 4, kFormatRGBA8), 63},
        {Desc(4, 4, kFormatBGRA8, 1, true), 63},
        {Desc(2, 2, kFormatRGBA16F), 31},
        {Desc(2, 2, kFormatRGBA32F), 63},
        {Desc(8, 8, kFormatDXT1), 31},
        {Desc(6, 5, kFormatDXT5), 63},  // padded blocks need 64 bytes, not 6 x 5
        {Desc(8, 8, kFormatDXT3, 2), 63},
        {Desc(65536, 65536, kFormatRGBA8), 1024},
        {Desc(16384, 16385, kFormatDXT1), 1024},
        {Desc(0xFFFFFFFF, 0xFFFFFFFF, kFormatDXT5, 4), 1024},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(DecodePixels(c.desc, stored.data(), c.size, image))
            << c.desc.width << " x " << c.desc.height << " format " << c.desc.format;
        EXPECT_EQ(image.GetWidth(), 2u);
        EXPECT_EQ(image.Pixels(), Bytes(16, 9));
    }
    EXPECT_FALSE(DecodePixels(Desc(1, 1, kFormatRGBA8), nullptr, 4, image));
}

TEST(PixelCodec, EncodeRefusesImagesThatDoNotMatch) {
    CImage image;
    Load(image, 4, 4, Bytes(64, 1));
    Bytes out{42};
    EXPECT_FALSE(EncodePixels(Desc(4, 8, kFormatBGRA8), image, out));
    EXPECT_FALSE(EncodePixels(Desc(8, 4, kFormatDXT1), image, out));
    ASSERT_TRUE(image.Create(4, 4, kCreateIndexed256));
    EXPECT_FALSE(EncodePixels(Desc(4, 4, kFormatBGRA8), image, out));
    EXPECT_EQ(out, Bytes{42});
}

}  // namespace
}  // namespace lumo
