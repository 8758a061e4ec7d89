#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "picture/orientation.h"

namespace picture {
namespace {

// The stored picture, 3 x 2, each pixel a letter in all three bytes:
//   A B C
//   D E F
CDIB Letters(bool topDown) {
    std::optional<CDIB> picture = CDIB::CreateWithPixels(3, topDown ? 2 : -2, {}, 24);
    EXPECT_TRUE(picture);
    const char* letters = "ABCDEF";
    for (int i = 0; i < 6; ++i) {
        std::uint8_t* p = picture->PixelAddress(i % 3, i / 3);
        p[0] = p[1] = p[2] = static_cast<std::uint8_t>(letters[i]);
    }
    return std::move(*picture);
}

// Rows top to bottom, separated by '/'.
std::string Rows(const CDIB& picture) {
    std::string text;
    for (int y = 0; y < picture.Height(); ++y) {
        if (y > 0)
            text += '/';
        for (int x = 0; x < picture.Width(); ++x) {
            const std::uint8_t* p = picture.PixelAddress(x, y);
            text += p[0] == p[1] && p[1] == p[2] ? static_cast<char>(p[0]) : '?';
        }
    }
    return text;
}

// What the camera's stored picture looks like once turned upright, by the tag's definition
// (where stored row 0 and column 0 are to be seen).
const std::vector<std::string> kUpright = {
    "ABC/DEF",   // 1 row 0 at the top, column 0 on the left
    "CBA/FED",   // 2 row 0 at the top, column 0 on the right
    "FED/CBA",   // 3 row 0 at the bottom, column 0 on the right
    "DEF/ABC",   // 4 row 0 at the bottom, column 0 on the left
    "AD/BE/CF",  // 5 row 0 on the left, column 0 at the top
    "DA/EB/FC",  // 6 row 0 on the right, column 0 at the top
    "FC/EB/DA",  // 7 row 0 on the right, column 0 at the bottom
    "CF/BE/AD",  // 8 row 0 on the left, column 0 at the bottom
};

TEST(OrientationTest, EveryOrientationComesOutUprightInTheInputsRowOrder) {
    for (bool topDown : {false, true}) {
        const CDIB stored = Letters(topDown);
        for (int orientation = 1; orientation <= 8; ++orientation) {
            const std::optional<CDIB> upright = ApplyOrientation(stored, orientation);
            ASSERT_TRUE(upright);
            EXPECT_EQ(Rows(*upright), kUpright[orientation - 1]) << "orientation " << orientation;
            EXPECT_EQ(upright->IsTopDown(), topDown);
            EXPECT_EQ(upright->BitCount(), 24);
        }
    }
    // Values the tag cannot hold leave the picture as stored.
    EXPECT_EQ(Rows(*ApplyOrientation(Letters(false), 0)), "ABC/DEF");
    EXPECT_EQ(Rows(*ApplyOrientation(Letters(false), 9)), "ABC/DEF");
}

TEST(OrientationTest, QuarterTurnsGoClockwiseAndWrapAround) {
    const CDIB stored = Letters(false);
    EXPECT_EQ(Rows(*RotateQuarterTurns(stored, 1)), "DA/EB/FC");
    EXPECT_EQ(Rows(*RotateQuarterTurns(stored, 2)), "FED/CBA");
    EXPECT_EQ(Rows(*RotateQuarterTurns(stored, 3)), "CF/BE/AD");
    EXPECT_EQ(Rows(*RotateQuarterTurns(stored, -1)), "CF/BE/AD");
    EXPECT_EQ(Rows(*RotateQuarterTurns(stored, 4)), "ABC/DEF");
    EXPECT_EQ(Rows(*RotateQuarterTurns(stored, -6)), "FED/CBA");
}

}  // namespace
}  // namespace picture
