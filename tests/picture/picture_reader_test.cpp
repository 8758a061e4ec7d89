#include "picture/picture_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <string>

#include "bmp_builder.h"
#include "jpeg_test_util.h"
#include "library_encoders.h"
#include "resources/string_table.h"

namespace picture::testing {
namespace {

bool Readable(PictureKind kind) {
    const auto kinds = ReadableKinds();
    return std::find(kinds.begin(), kinds.end(), kind) != kinds.end();
}

std::wstring Message(std::wstring_view path, int id) {
    return std::wstring(path) + L'\n' + std::wstring(resources::LoadString(id));
}

const PictureRead& ReadOf(const PictureReadResult& result) {
    if (const auto* error = std::get_if<PictureError>(&result)) {
        ADD_FAILURE() << "refused with message " << error->stringId;
        static const PictureRead kNone{};
        return kNone;
    }
    return std::get<PictureRead>(result);
}

int ErrorId(const PictureReadResult& result) {
    const auto* error = std::get_if<PictureError>(&result);
    return error == nullptr ? 0 : error->stringId;
}

// R, G, B of pixel (x, y), (0, 0) the top-left one.
std::array<int, 3> Rgb(const CDIB& picture, int x, int y) {
    const std::uint8_t* p = picture.PixelAddress(x, y);
    return {p[2], p[1], p[0]};
}

// The mean difference of every sample from the picture the file was made from.
double MeanError(const CDIB& picture, const RawPicture& source) {
    EXPECT_EQ(picture.Height(), source.height);
    double sum = 0;
    for (int y = 0; y < source.height; ++y) {
        for (int x = 0; x < source.width; ++x) {
            const std::array<int, 3> got = Rgb(picture, x, y);
            for (int c = 0; c < 3; ++c) {
                sum += std::abs(got[static_cast<std::size_t>(c)] - source.At(x, y)[c]);
            }
        }
    }
    return sum / (3.0 * source.width * source.height);
}

RawPicture WithAlpha(const RawPicture& rgb, std::uint8_t alpha) {
    RawPicture rgba{rgb.width, rgb.height, 4, {}};
    for (int y = 0; y < rgb.height; ++y) {
        for (int x = 0; x < rgb.width; ++x) {
            rgba.samples.insert(rgba.samples.end(), rgb.At(x, y), rgb.At(x, y) + 3);
            rgba.samples.push_back(alpha);
        }
    }
    return rgba;
}

TEST(PictureReader, BitFieldMasksOfAnyContiguousLayoutAreHonoured) {
    // 16 bits as 5-5-5 and 32 bits with red in the low byte, both by their masks.
    BmpFile sixteen = Bmp(4, 1, 16, {0x7C00, 0x03E0, 0x001F, 0x0421});
    sixteen.compression = BI_BITFIELDS;
    sixteen.masks = {0x7C00, 0x03E0, 0x001F};
    const PictureReadResult result1 = ReadPicture(Build(sixteen), L"555.bmp");
    const CDIB& a = ReadOf(result1).picture;
    EXPECT_EQ(Rgb(a, 0, 0), (std::array<int, 3>{255, 0, 0}));
    EXPECT_EQ(Rgb(a, 1, 0), (std::array<int, 3>{0, 255, 0}));
    EXPECT_EQ(Rgb(a, 2, 0), (std::array<int, 3>{0, 0, 255}));
    EXPECT_EQ(Rgb(a, 3, 0), (std::array<int, 3>{8, 8, 8}));

    BmpFile wide = Bmp(4, 1, 32, {0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF123456});
    wide.compression = BI_BITFIELDS;
    wide.masks = {0x000000FF, 0x0000FF00, 0x00FF0000};
    const PictureReadResult result2 = ReadPicture(Build(wide), L"32.bmp");
    const CDIB& b = ReadOf(result2).picture;
    EXPECT_EQ(Rgb(b, 0, 0), (std::array<int, 3>{255, 0, 0}));
    EXPECT_EQ(Rgb(b, 1, 0), (std::array<int, 3>{0, 255, 0}));
    EXPECT_EQ(Rgb(b, 2, 0), (std::array<int, 3>{0, 0, 255}));
    EXPECT_EQ(Rgb(b, 3, 0), (std::array<int, 3>{0x56, 0x34, 0x12}));

    // A mask with a hole is no colour layout at all.
    wide.masks = {0x000000F0F, 0x0000F000, 0x00FF0000};
    EXPECT_EQ(ErrorId(ReadPicture(Build(wide), L"holes.bmp")), resources::IDS_BMP_COLOURS);
}

TEST(PictureReader, JpegStoredAsRgbKeepsItsColours) {
    const RawPicture photo = Photo(48, 32);
    const Bytes file = LibjpegFile(photo, JpegCoding::kRgb);
    if (file.empty()) {
        GTEST_SKIP() << "no JPEG encoder in this build";
    }
    const PictureReadResult result3 = ReadPicture(file, L"rgb.jpg");
    const PictureRead& read = ReadOf(result3);
    // Read as Y, Cb, Cr these samples would be off by 50 and more.
    EXPECT_LT(MeanError(read.picture, photo), 3.0);
}

TEST(PictureReader, JpegThatEndsEarlyIsKeptGreyBelowTheCutAndWarned) {
    const Bytes whole = EncodeJpeg(Photo(64, 64), Sampling(1, 1));
    const std::size_t data = ScanDataOffset(whole);
    const Bytes cut(whole.begin(),
                    whole.begin() + static_cast<std::ptrdiff_t>(data + (whole.size() - data) / 2));
    const PictureReadResult result = ReadPicture(cut, L"C:\\p\\cut.jpg");
    const PictureRead& read = ReadOf(result);
    ASSERT_TRUE(read.warning.has_value());
    EXPECT_EQ(read.warning->text, Message(L"C:\\p\\cut.jpg", resources::IDS_PICTURE_ENDS_EARLY));
    ASSERT_EQ(read.picture.Height(), 64);
    // The top rows are the whole file's; the bottom row lies past the cut.
    const PictureReadResult result4 = ReadPicture(whole, L"whole.jpg");
    const PictureRead& complete = ReadOf(result4);
    EXPECT_EQ(Rgb(read.picture, 5, 3), Rgb(complete.picture, 5, 3));
    for (int x = 0; x < 64; ++x) {
        EXPECT_EQ(Rgb(read.picture, x, 63), (std::array<int, 3>{128, 128, 128})) << x;
    }
    EXPECT_FALSE(ReadOf(ReadPicture(whole, L"whole.jpg")).warning.has_value());
}

TEST(PictureReader, FilesOfNoKnownKindGetOneMessage) {
    const Bytes text = {'h', 'e', 'l', 'l', 'o', '\n'};
    for (const Bytes& file : {Bytes{}, text, Bytes(100, 0)}) {
        const PictureReadResult result = ReadPicture(file, L"x.jpg");
        ASSERT_EQ(ErrorId(result), resources::IDS_PICTURE_UNKNOWN) << file.size();
        EXPECT_EQ(std::get<PictureError>(result).text,
                  Message(L"x.jpg", resources::IDS_PICTURE_UNKNOWN));
    }
    // A damaged baseline JPEG keeps the decoder's own message.
    Bytes broken = EncodeJpeg(Photo(16, 16));
    broken.resize(ScanDataOffset(broken) - 3);
    EXPECT_EQ(ErrorId(ReadPicture(broken, L"b.jpg")), resources::IDS_JPEG_HEADER_FAILED);
}

TEST(PictureReader, JpegKindsTheOwnDecoderLeavesAreReadByTheLibrary) {
    if (!Readable(PictureKind::kJpeg) || LibjpegFile(Photo(8, 8), JpegCoding::kRgb).empty()) {
        GTEST_SKIP();
    }
    const RawPicture photo = Photo(40, 24);
    for (JpegCoding coding : {JpegCoding::kProgressive, JpegCoding::kCmyk}) {
        const Bytes file = LibjpegFile(photo, coding);
        JpegDecoder own;
        ASSERT_LT(own.ReadHeaders(file.data(), file.size()), 0);
        ASSERT_TRUE(own.RefusedKind());
        const PictureReadResult result5 = ReadPicture(file, L"p.jpg");
        const PictureRead& read = ReadOf(result5);
        EXPECT_EQ(read.kind, PictureKind::kJpeg);
        EXPECT_EQ(read.picture.Width(), 40);
        EXPECT_LT(MeanError(read.picture, photo), 3.0) << static_cast<int>(coding);
    }
}

TEST(PictureReader, PngIsChosenByContentAndItsTransparencyLiesOverBlack) {
    if (!Readable(PictureKind::kPng)) {
        GTEST_SKIP();
    }
    RawPicture rgba = WithAlpha(Photo(6, 5), 255);
    rgba.samples[3] = 0;                                           // pixel (0, 0) transparent
    std::copy_n("\xC8\x64\x32\x80", 4, rgba.samples.begin() + 4);  // (1, 0) half covered
    const PictureReadResult result6 = ReadPicture(PngFile(rgba), L"named.jpg");
    const PictureRead& read = ReadOf(result6);
    EXPECT_EQ(read.kind, PictureKind::kPng);
    EXPECT_EQ(read.picture.Width(), 6);
    EXPECT_EQ(Rgb(read.picture, 0, 0), (std::array<int, 3>{0, 0, 0}));
    EXPECT_EQ(Rgb(read.picture, 1, 0), (std::array<int, 3>{100, 50, 25}));
    EXPECT_EQ(Rgb(read.picture, 4, 3),
              (std::array<int, 3>{rgba.At(4, 3)[0], rgba.At(4, 3)[1], rgba.At(4, 3)[2]}));
    // A damaged file of a library's kind gets the library's message.
    Bytes cut = PngFile(rgba);
    cut.resize(cut.size() / 2);
    EXPECT_EQ(ErrorId(ReadPicture(cut, L"cut.png")), resources::IDS_PICTURE_DECODE_FAILED);
}

TEST(PictureReader, BmpHeaderFormsTheOwnReaderLeavesGiveItsPixels) {
    if (!Readable(PictureKind::kPng)) {
        GTEST_SKIP();
    }
    BmpFile v5 = Bmp(4, 3, 24, {0xFF0000, 0x00FF00, 0x0000FF, 0x123456, 0, 1, 2, 3, 4, 5, 6, 7});
    const PictureReadResult result7 = ReadPicture(Build(v5), L"40.bmp");
    const PictureRead& own = ReadOf(result7);
    v5.headerSize = 124;
    const PictureReadResult result8 = ReadPicture(Build(v5), L"124.bmp");
    const PictureRead& library = ReadOf(result8);
    ASSERT_EQ(library.picture.Width(), own.picture.Width());
    EXPECT_TRUE(std::equal(own.picture.Pixels().begin(), own.picture.Pixels().end(),
                           library.picture.Pixels().begin()));
    // Run-length files no reader here handles keep the own reader's message.
    BmpFile rle = Bmp(4, 1, 8);
    rle.compression = BI_RLE8;
    EXPECT_EQ(ErrorId(ReadPicture(Build(rle), L"rle.bmp")), resources::IDS_BMP_COMPRESSED);
}

TEST(PictureReader, WebpTiffAndHeifPicturesAreRead) {
    const RawPicture photo = Photo(32, 24);
    const Bytes webp =
        Readable(PictureKind::kWebp) ? LosslessWebpFile(WithAlpha(photo, 255)) : Bytes{};
    if (!webp.empty()) {
        const PictureReadResult result9 = ReadPicture(webp, L"a.webp");
        const PictureRead& read = ReadOf(result9);
        EXPECT_EQ(read.kind, PictureKind::kWebp);
        EXPECT_EQ(MeanError(read.picture, photo), 0.0);
    }
    const Bytes tiff = Readable(PictureKind::kTiff) ? TiffFile(photo) : Bytes{};
    if (!tiff.empty()) {
        const PictureReadResult result10 = ReadPicture(tiff, L"a.tif");
        const PictureRead& read = ReadOf(result10);
        EXPECT_EQ(read.kind, PictureKind::kTiff);
        EXPECT_EQ(MeanError(read.picture, photo), 0.0);
    }
    const Bytes heif = Readable(PictureKind::kHeif) ? HeifFile(photo) : Bytes{};
    if (heif.empty()) {
        std::cout << "no HEIF reader or HEVC encoder: HEIF not tried\n";
    } else {
        const PictureReadResult result11 = ReadPicture(heif, L"a.heic");
        const PictureRead& read = ReadOf(result11);
        EXPECT_EQ(read.kind, PictureKind::kHeif);
        EXPECT_TRUE(read.upright);
        EXPECT_EQ(read.picture.Width(), 32);
        EXPECT_LT(MeanError(read.picture, photo), 6.0);
    }
}

TEST(PictureReader, LibraryReadersRefuseSizesTheFileCannotHold) {
    if (!Readable(PictureKind::kPng)) {
        GTEST_SKIP();
    }
    // A PNG header claiming 60000 x 60000 pixels in a file of a few dozen bytes.
    Bytes png = PngFile(WithAlpha(Photo(2, 2), 255));
    const std::uint8_t big[] = {0, 0, 0xEA, 0x60};
    std::copy_n(big, 4, png.begin() + 16);
    std::copy_n(big, 4, png.begin() + 20);
    EXPECT_EQ(ErrorId(ReadPicture(png, L"big.png")), resources::IDS_PICTURE_DECODE_FAILED);
}

}  // namespace
}  // namespace picture::testing
