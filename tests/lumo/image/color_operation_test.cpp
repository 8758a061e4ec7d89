#include "lumo/image/color_operation.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "lumo/image/image.h"

namespace lumo {
namespace {

using Palette = std::vector<CClassicImagePixel4>;

void ExpectPixel(const CImagePixel4& p, float r, float g, float b, float a) {
    EXPECT_EQ(p.r, r);
    EXPECT_EQ(p.g, g);
    EXPECT_EQ(p.b, b);
    EXPECT_EQ(p.a, a);
}

TEST(ColorOperation, NoOperationLeavesTheOutputAlone) {
    FNoOperateColor none;
    FOperateColorBase& op = none;
    CImagePixel4 out{9, 8, 7, 6};
    EXPECT_TRUE(op.Operate(CImagePixel4{1, 1, 1, 1}, out));
    ExpectPixel(out, 9, 8, 7, 6);
    CClassicImagePixel4 bytes{1, 2, 3, 4};
    EXPECT_TRUE(op.Operate(CClassicImagePixel4{}, bytes));
    EXPECT_EQ(bytes.r, 1);
    EXPECT_EQ(bytes.a, 4);
}

TEST(ColorOperation, FirstOfEquallyNearEntriesWins) {
    // Black at 0 and 2, white at 1. Mid-grey is 0.75 from black and from white.
    FPaletteReduce reduce(Palette{{0, 0, 0, 0}, {255, 255, 255, 255}, {0, 0, 0, 0}}, false);
    CImagePixel4 out;
    EXPECT_TRUE(reduce.Operate(CImagePixel4{0.5f, 0.5f, 0.5f, 0.3f}, out));
    ExpectPixel(out, 0, 0, 0, 0.3f);  // alpha does not take part and passes through
    EXPECT_TRUE(reduce.Operate(CImagePixel4{0.6f, 0.5f, 0.5f, 0.3f}, out));
    ExpectPixel(out, 1, 1, 1, 0.3f);
    // Far outside the nominal range is still reduced.
    EXPECT_TRUE(reduce.Operate(CImagePixel4{-1e10f, 0, 0, 0}, out));
    ExpectPixel(out, 0, 0, 0, 0);
}

TEST(ColorOperation, AlphaTakesPartWhenAsked) {
    const Palette palette{{255, 0, 0, 255}, {255, 0, 0, 0}};
    FPaletteReduce withAlpha(palette, true);
    FPaletteReduce withoutAlpha(palette, false);
    CClassicImagePixel4 out;
    EXPECT_TRUE(withAlpha.Operate(CClassicImagePixel4{250, 3, 0, 20}, out));
    EXPECT_EQ(out.r, 255);
    EXPECT_EQ(out.g, 0);
    EXPECT_EQ(out.a, 0);
    EXPECT_TRUE(withoutAlpha.Operate(CClassicImagePixel4{250, 3, 0, 20}, out));
    EXPECT_EQ(out.r, 255);
    EXPECT_EQ(out.a, 20);
}

TEST(ColorOperation, EmptyPaletteCopiesTheColourAndFails) {
    FPaletteReduce reduce(Palette{}, true);
    CClassicImagePixel4 out;
    EXPECT_FALSE(reduce.Operate(CClassicImagePixel4{1, 2, 3, 4}, out));
    EXPECT_EQ(out.r, 1);
    EXPECT_EQ(out.a, 4);
}

TEST(ColorOperation, PaletteOperationReducesEveryPaletteColour) {
    CImage image;
    ASSERT_TRUE(image.Create(2, 2, kCreateIndexed16));
    ASSERT_TRUE(image.SetPaletteColor(0, 5, {200, 180, 190, 77}));
    FPaletteReduce reduce(Palette{{0, 0, 0, 255}, {255, 255, 255, 255}}, false);
    ASSERT_TRUE(image.OperatePalette(reduce));
    CClassicImagePixel4 color;
    ASSERT_TRUE(image.GetPaletteColor(0, 5, color));
    EXPECT_EQ(color.r, 255);
    EXPECT_EQ(color.b, 255);
    EXPECT_EQ(color.a, 77);

    FPaletteReduce failing(Palette{}, false);
    ASSERT_TRUE(image.SetPaletteColor(0, 5, {1, 2, 3, 4}));
    EXPECT_FALSE(image.OperatePalette(failing));
    ASSERT_TRUE(image.GetPaletteColor(0, 5, color));
    EXPECT_EQ(color.r, 1);

    image.SetFixed(true);
    EXPECT_FALSE(image.OperatePalette(reduce));
    CImage direct;
    ASSERT_TRUE(direct.Create(1, 1, kCreateDirect));
    EXPECT_FALSE(direct.OperatePalette(reduce));
}

}  // namespace
}  // namespace lumo
