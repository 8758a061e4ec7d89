#include <gtest/gtest.h>

#include <string>

#include "demo_support.h"
#include "tools/demo/face_painter.h"
#include "tools/demo/slot_texture.h"

namespace kaocg_tool_test {
namespace {

using namespace kaocg_demo;

constexpr int kSmall = 0, kMedium = 1, kLarge = 2;

std::size_t At(std::uint32_t side, std::uint32_t x, std::uint32_t y) {
    return (std::size_t{y} * side + x) * 4;
}

// The face number is what tells the faces apart in the editor's lists; it must read back in
// every size, and still after the block compression of the stock slots.
TEST(DemoFaces, NumberReadsBackInEverySizeAndFormat) {
    for (const int size : {kSmall, kMedium, kLarge}) {
        const FaceGeometry geometry = FaceGeometryOf(size);
        for (const std::int32_t number : {0, 7, 1192, 2799, 8179}) {
            SCOPED_TRACE("size " + std::to_string(size) + ", face " + std::to_string(number));
            const NumberLabel label = NumberLabelOf(geometry, number);
            const Rgba painted = PaintFace(number, geometry);
            EXPECT_EQ(ReadFaceNumber(painted, geometry.side, label), std::to_string(number));
            for (const SlotFormat format :
                 {SlotFormat::kBgra8, SlotFormat::kDxt1, SlotFormat::kDxt5}) {
                std::vector<std::uint8_t> slot;
                std::string error;
                ASSERT_TRUE(BuildSlotTexture(painted, geometry.side, format, slot, error)) << error;
                std::uint32_t side = 0;
                const Rgba decoded = DecodeSlot(std::string(slot.begin(), slot.end()), side);
                ASSERT_EQ(side, geometry.side);
                EXPECT_EQ(ReadFaceNumber(decoded, side, label), std::to_string(number));
            }
        }
    }
}

TEST(DemoFaces, OnlyTheVisibleAreaIsOpaque) {
    for (const int size : {kSmall, kMedium, kLarge}) {
        const FaceGeometry g = FaceGeometryOf(size);
        const Rgba rgba = PaintFace(42, g);
        ASSERT_EQ(rgba.size(), std::size_t{g.side} * g.side * 4);
        std::size_t wrong = 0;
        for (std::uint32_t y = 0; y < g.side; ++y) {
            for (std::uint32_t x = 0; x < g.side; ++x) {
                const std::uint8_t* p = &rgba[At(g.side, x, y)];
                const bool visible = x < g.visibleWidth && y < g.visibleHeight;
                wrong += visible ? p[3] != 255 : (p[0] | p[1] | p[2] | p[3]) != 0;
            }
        }
        EXPECT_EQ(wrong, 0u) << "size " << size;
    }
}

// Faces with neighbouring numbers must not look alike beyond their plates.
TEST(DemoFaces, NeighbouringFacesLookDifferent) {
    const FaceGeometry g = FaceGeometryOf(kMedium);
    const NumberLabel plate = NumberLabelOf(g, 1000);
    Rgba previous = PaintFace(999, g);
    for (std::int32_t number = 1000; number < 1040; ++number) {
        const Rgba current = PaintFace(number, g);
        std::size_t differing = 0;
        for (std::uint32_t y = 0; y < plate.plateY; ++y) {
            for (std::uint32_t x = 0; x < g.visibleWidth; ++x) {
                const std::size_t i = At(g.side, x, y);
                differing += current[i] != previous[i] || current[i + 1] != previous[i + 1] ||
                             current[i + 2] != previous[i + 2];
            }
        }
        EXPECT_GT(differing, std::size_t{g.visibleWidth} * plate.plateY / 10) << number;
        previous = current;
    }
}

TEST(DemoFaces, PlatesFitAndFollowTheBlockGrid) {
    for (const int size : {kSmall, kMedium, kLarge}) {
        const FaceGeometry g = FaceGeometryOf(size);
        for (const std::int32_t number : {5, 8179, 2147483647}) {
            const NumberLabel label = NumberLabelOf(g, number);
            SCOPED_TRACE(std::to_string(size) + "/" + std::to_string(number));
            if (label.digits.empty()) {
                continue;  // too long for the plate: no plate rather than one that spills
            }
            EXPECT_EQ(label.plateX % 4 + label.plateY % 4 + label.plateWidth % 4, 0u);
            EXPECT_LE(label.plateX + label.plateWidth, g.visibleWidth);
            EXPECT_LE(label.plateY + label.plateHeight, g.visibleHeight);
        }
        // The game's four-digit numbers keep the full glyph size.
        EXPECT_EQ(NumberLabelOf(g, 8179).scale, g.labelScale);
        EXPECT_TRUE(NumberLabelOf(g, -1).digits.empty());
    }
}

}  // namespace
}  // namespace kaocg_tool_test
