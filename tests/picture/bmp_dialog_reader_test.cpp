#include <gtest/gtest.h>

#include <array>
#include <string>

#include "bmp_builder.h"
#include "picture/bmp_dialog_reader.h"

namespace picture {
namespace {

using testing::Bmp;
using testing::BmpFile;
using testing::Build;

using Bgr = std::array<int, 3>;

const CDIB& PictureOf(const BmpReadResult& result) {
    if (const PictureError* error = std::get_if<PictureError>(&result)) {
        ADD_FAILURE() << "error " << error->stringId;
        static const CDIB empty;
        return empty;
    }
    return std::get<CDIB>(result);
}

Bgr At(const CDIB& picture, int x, int y) {
    const std::uint8_t* p = picture.PixelAddress(x, y);
    return p ? Bgr{p[0], p[1], p[2]} : Bgr{-1, -1, -1};
}

int ErrorOf(const BmpReadResult& result) {
    const PictureError* error = std::get_if<PictureError>(&result);
    return error ? error->stringId : 0;
}

const std::vector<RGBQUAD> kTable = {
    {0, 0, 0, 0}, {10, 20, 30, 0}, {40, 50, 60, 0}, {70, 80, 90, 0}, {1, 2, 3, 0}};

TEST(BmpDialogReaderTest, TwentyFourBitRowsAreWidenedToFourPixelsWithBlackColumns) {
    BmpFile f = Bmp(101, 2, 24);
    f.pixels.assign(202, 0xFFFFFF);
    f.pixels[0] = 0x030201;    // top-left
    f.pixels[201] = 0x0A0B0C;  // bottom-right
    const BmpReadResult result = ReadBmpForDialog(Build(f), L"a.bmp");
    const CDIB& picture = PictureOf(result);
    EXPECT_EQ(picture.Width(), 104);
    EXPECT_EQ(picture.Height(), 2);
    EXPECT_EQ(picture.BitCount(), 24);
    EXPECT_FALSE(picture.IsTopDown());
    EXPECT_EQ(At(picture, 0, 0), (Bgr{1, 2, 3}));
    EXPECT_EQ(At(picture, 100, 1), (Bgr{0x0C, 0x0B, 0x0A}));
    for (int x = 101; x < 104; ++x) {
        EXPECT_EQ(At(picture, x, 0), (Bgr{0, 0, 0}));
        EXPECT_EQ(At(picture, x, 1), (Bgr{0, 0, 0}));
    }
}

TEST(BmpDialogReaderTest, TopDownFileComesOutBottomUpWithRowsInPlace) {
    BmpFile f = Bmp(4, -3, 24);
    f.pixels.assign(12, 0);
    f.pixels[0] = 0x112233;
    f.pixels[11] = 0x445566;
    const BmpReadResult result = ReadBmpForDialog(Build(f), L"t.bmp");
    const CDIB& picture = PictureOf(result);
    EXPECT_EQ(picture.Height(), 3);
    EXPECT_FALSE(picture.IsTopDown());
    EXPECT_EQ(At(picture, 0, 0), (Bgr{0x33, 0x22, 0x11}));
    EXPECT_EQ(At(picture, 3, 2), (Bgr{0x66, 0x55, 0x44}));
}

TEST(BmpDialogReaderTest, IndexedDepthsReadTheirTablesAndRoundTheirWidths) {
    struct Case {
        std::uint16_t bits;
        std::uint32_t clrUsed;
        std::int32_t width;
        std::int32_t outputWidth;
    };
    for (const Case c : {Case{1, 0, 13, 32}, Case{1, 9, 33, 64}, Case{4, 5, 5, 8},
                         Case{4, 0, 17, 24}, Case{8, 5, 5, 8}, Case{8, 0, 3, 4}}) {
        SCOPED_TRACE(c.bits);
        BmpFile f = Bmp(c.width, 2, c.bits);
        f.clrUsed = c.clrUsed;
        const std::size_t entries = c.clrUsed == 0 ? (1u << c.bits) : std::min(9u, 1u << c.bits);
        f.table = kTable;
        f.table.resize(entries, {7, 7, 7, 0});
        f.pixels.assign(2 * c.width, 1);
        f.pixels[c.width - 1] = c.bits == 1 ? 0 : 4;  // top row's last pixel
        const BmpReadResult result = ReadBmpForDialog(Build(f), L"i.bmp");
        const CDIB& picture = PictureOf(result);
        EXPECT_EQ(picture.Width(), c.outputWidth);
        EXPECT_EQ(At(picture, 0, 0), (Bgr{10, 20, 30}));
        EXPECT_EQ(At(picture, c.width - 1, 0), (c.bits == 1 ? Bgr{0, 0, 0} : Bgr{1, 2, 3}));
        EXPECT_EQ(At(picture, c.width - 1, 1), (Bgr{10, 20, 30}));
        EXPECT_EQ(At(picture, c.outputWidth - 1, 1), (Bgr{0, 0, 0}));
    }
}

TEST(BmpDialogReaderTest, IndicesBeyondTheTableReadBlack) {
    // A 1-bit file with a one-entry table, and a 4-bit one with five entries.
    BmpFile one = Bmp(2, 1, 1, {0, 1});
    one.clrUsed = 1;
    one.table = {{9, 9, 9, 0}};
    const BmpReadResult a = ReadBmpForDialog(Build(one), L"1.bmp");
    EXPECT_EQ(At(PictureOf(a), 0, 0), (Bgr{9, 9, 9}));
    EXPECT_EQ(At(PictureOf(a), 1, 0), (Bgr{0, 0, 0}));

    BmpFile four = Bmp(2, 1, 4, {4, 5});
    four.clrUsed = 5;
    four.table = kTable;
    four.table.resize(6, {200, 200, 200, 0});  // a sixth entry the header does not count
    const BmpReadResult b = ReadBmpForDialog(Build(four), L"4.bmp");
    EXPECT_EQ(At(PictureOf(b), 0, 0), (Bgr{1, 2, 3}));
    EXPECT_EQ(At(PictureOf(b), 1, 0), (Bgr{0, 0, 0}));
}

TEST(BmpDialogReaderTest, SixteenBitLayoutsFollowTheCompressionAndReachFullRange) {
    // Red, green, blue at full range, then a pixel of only the lowest field bits.
    const BmpFile rgb = Bmp(4, 1, 16, {0x7C00, 0x03E0, 0x001F, 0x0421});
    const BmpReadResult a = ReadBmpForDialog(Build(rgb), L"555.bmp");
    EXPECT_EQ(At(PictureOf(a), 0, 0), (Bgr{0, 0, 255}));
    EXPECT_EQ(At(PictureOf(a), 1, 0), (Bgr{0, 255, 0}));
    EXPECT_EQ(At(PictureOf(a), 2, 0), (Bgr{255, 0, 0}));
    EXPECT_EQ(At(PictureOf(a), 3, 0), (Bgr{8, 8, 8}));

    BmpFile fields = Bmp(4, 1, 16, {0xF800, 0x07E0, 0x001F, 0x0821});
    fields.compression = BI_BITFIELDS;
    const BmpReadResult b = ReadBmpForDialog(Build(fields), L"565.bmp");
    EXPECT_EQ(At(PictureOf(b), 0, 0), (Bgr{0, 0, 255}));
    EXPECT_EQ(At(PictureOf(b), 1, 0), (Bgr{0, 255, 0}));
    EXPECT_EQ(At(PictureOf(b), 2, 0), (Bgr{255, 0, 0}));
    EXPECT_EQ(At(PictureOf(b), 3, 0), (Bgr{8, 4, 8}));
}

TEST(BmpDialogReaderTest, FifteenBitRowsAreAsLongAsSixteenBitRows) {
    // 17 pixels: 36 bytes a row at 16 bits, where 15 bits would make 32.
    BmpFile f = Bmp(17, 2, 15);
    f.pixels.assign(34, 0);
    f.pixels[17] = 0x7FFF;  // bottom row, first pixel
    const BmpReadResult result = ReadBmpForDialog(Build(f), L"15.bmp");
    EXPECT_EQ(At(PictureOf(result), 0, 1), (Bgr{255, 255, 255}));
    EXPECT_EQ(At(PictureOf(result), 0, 0), (Bgr{0, 0, 0}));
}

TEST(BmpDialogReaderTest, ThirtyTwoBitPixelsIgnoreTheirFourthByte) {
    const BmpFile f = Bmp(1, 1, 32, {0xFF102030});
    const BmpReadResult result = ReadBmpForDialog(Build(f), L"32.bmp");
    EXPECT_EQ(PictureOf(result).Width(), 4);
    EXPECT_EQ(At(PictureOf(result), 0, 0), (Bgr{0x30, 0x20, 0x10}));
}

TEST(BmpDialogReaderTest, TruncatedFileKeepsWhatItHoldsAndTheRestIsBlack) {
    BmpFile f = Bmp(4, 2, 8, std::vector<std::uint32_t>(8, 1));
    f.clrUsed = 2;
    f.table = {{50, 50, 50, 0}, {60, 60, 60, 0}};
    std::vector<std::uint8_t> bytes = Build(f);
    bytes.resize(bytes.size() - 2);  // the top row, stored last, keeps 2 of its 4 pixels
    const BmpReadResult result = ReadBmpForDialog(bytes, L"cut.bmp");
    const CDIB& picture = PictureOf(result);
    EXPECT_EQ(At(picture, 0, 1), (Bgr{60, 60, 60}));
    EXPECT_EQ(At(picture, 1, 0), (Bgr{60, 60, 60}));
    // Missing pixels are black, not table entry 0.
    EXPECT_EQ(At(picture, 2, 0), (Bgr{0, 0, 0}));
    EXPECT_EQ(At(picture, 3, 0), (Bgr{0, 0, 0}));
}

TEST(BmpDialogReaderTest, MessagesCarryThePathOrTheColourDetails) {
    BmpFile rle = Bmp(4, 1, 8);
    rle.compression = BI_RLE8;
    const BmpReadResult a = ReadBmpForDialog(Build(rle), L"C:\\p\\rle.bmp");
    ASSERT_EQ(ErrorOf(a), 408);
    EXPECT_EQ(std::get<PictureError>(a).text, L"C:\\p\\rle.bmp\n無法支援壓縮形式的BMP檔。");

    BmpFile v5 = Bmp(4, 1, 24);
    v5.headerSize = 124;
    const BmpReadResult b = ReadBmpForDialog(Build(v5), L"v5.bmp");
    ASSERT_EQ(ErrorOf(b), 409);
    EXPECT_EQ(std::get<PictureError>(b).text, L"v5.bmp\n並無支援此BMP檔形式。");

    const BmpFile two = Bmp(4, 1, 2);
    const BmpReadResult c = ReadBmpForDialog(Build(two), L"two.bmp");
    ASSERT_EQ(ErrorOf(c), 410);
    EXPECT_EQ(std::get<PictureError>(c).text, L"色彩不正確。\nBitCount [2] ClrUsed [0]");
}

TEST(BmpDialogReaderTest, ImpossibleDimensionsAreRefusedBeforeAllocating) {
    const std::vector<std::uint8_t> good = Build(Bmp(4, 4, 24));
    auto withSize = [&](std::int32_t width, std::int32_t height) {
        std::vector<std::uint8_t> bytes = good;
        for (int i = 0; i < 4; ++i) {
            bytes[18 + i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(width) >> 8 * i);
            bytes[22 + i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(height) >> 8 * i);
        }
        return ErrorOf(ReadBmpForDialog(bytes, L"x.bmp"));
    };
    EXPECT_EQ(withSize(4, 4), 0);
    EXPECT_EQ(withSize(4, -4), 0);
    EXPECT_EQ(withSize(0, 4), 409);
    EXPECT_EQ(withSize(-4, 4), 409);
    EXPECT_EQ(withSize(4, 0), 409);
    EXPECT_EQ(withSize(4, INT32_MIN), 409);
    EXPECT_EQ(withSize(4, 25'000'001), 409);  // 100,000,004 pixels
    EXPECT_EQ(withSize(40, 4), 409);          // one row is longer than the file
    EXPECT_EQ(ErrorOf(ReadBmpForDialog(std::vector<std::uint8_t>(good.begin(), good.begin() + 50),
                                       L"x.bmp")),
              409);
}

}  // namespace
}  // namespace picture
