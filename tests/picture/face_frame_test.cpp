#include <gtest/gtest.h>

#include <tuple>

#include "picture/face_frame.h"

namespace picture {
namespace {

auto Tie(const FaceFrame& f) {
    return std::make_tuple(f.left, f.top, f.width, f.height);
}

#define EXPECT_FRAME(frame, l, t, w, h) EXPECT_EQ(Tie(frame), std::make_tuple(l, t, w, h))

TEST(FaceFrameTest, TheFirstFrameIsTheLargestOfTheAspectCentred) {
    EXPECT_FRAME(CentredFaceFrame(4000, 3000, 240, 240), 500, 0, 3000, 3000);
    EXPECT_FRAME(CentredFaceFrame(4000, 3000, 96, 120), 800, 0, 2400, 3000);
    EXPECT_FRAME(CentredFaceFrame(3000, 4000, 96, 120), 0, 125, 3000, 3750);
    EXPECT_FRAME(CentredFaceFrame(3000, 4000, 60, 60), 0, 500, 3000, 3000);
    // Odd leftovers put the extra pixel after the frame; truncation as the selection does.
    EXPECT_FRAME(CentredFaceFrame(101, 50, 96, 120), 30, 0, 40, 50);
    EXPECT_FRAME(CentredFaceFrame(97, 200, 96, 120), 0, 39, 97, 121);
    // Pictures smaller than the face give the whole picture, not a frame reaching outside.
    EXPECT_FRAME(CentredFaceFrame(40, 30, 60, 60), 5, 0, 30, 30);
    EXPECT_FRAME(CentredFaceFrame(0, 30, 60, 60), 0, 0, 0, 0);
}

// The first frame must be one the dialog and the command line accept, for any picture.
TEST(FaceFrameTest, TheFirstFrameAlwaysPassesTheCheck) {
    for (int w : {1, 3, 55, 56, 57, 69, 70, 71, 239, 240, 241, 1001, 4000}) {
        for (int h : {1, 2, 55, 56, 70, 119, 121, 333, 3000}) {
            for (auto [fw, fh] : {std::pair{240, 240}, std::pair{96, 120}, std::pair{60, 60}}) {
                const FaceFrame frame = CentredFaceFrame(w, h, fw, fh);
                EXPECT_EQ(CheckFaceFrame(frame, w, h, fw, fh), FaceFrameProblem::None)
                    << w << " x " << h << " for " << fw << " x " << fh;
            }
        }
    }
}

TEST(FaceFrameTest, AnotherSizeKeepsTheCentreAndTheWidth) {
    const FaceFrame large{1000, 500, 1104, 1104};
    const FaceFrame medium = DerivedFaceFrame(large, 240, 240, 4000, 3000, 96, 120);
    EXPECT_FRAME(medium, 1000, 362, 1104, 1380);
    EXPECT_FRAME(DerivedFaceFrame(large, 240, 240, 4000, 3000, 60, 60), 1000, 500, 1104, 1104);
    // From the taller medium frame back to a square: the same width, the same centre.
    EXPECT_FRAME(DerivedFaceFrame(medium, 96, 120, 4000, 3000, 60, 60), 1000, 500, 1104, 1104);
    // An odd width keeps its centre to the half pixel.
    EXPECT_FRAME(DerivedFaceFrame({11, 20, 57, 57}, 60, 60, 400, 400, 96, 120), 11, 13, 57, 71);
}

TEST(FaceFrameTest, ADerivedFrameStaysInsideThePicture) {
    // Near the top edge: the taller frame moves down rather than reach above the picture.
    EXPECT_FRAME(DerivedFaceFrame({100, 0, 240, 240}, 240, 240, 1000, 800, 96, 120), 100, 0, 240,
                 300);
    // Near the bottom right corner.
    EXPECT_FRAME(DerivedFaceFrame({760, 560, 240, 240}, 240, 240, 1000, 800, 96, 120), 760, 500,
                 240, 300);
    // Too tall for the picture: the largest medium frame, centred where it can be.
    EXPECT_FRAME(DerivedFaceFrame({500, 0, 3000, 3000}, 240, 240, 4000, 3000, 96, 120), 800, 0,
                 2400, 3000);
}

TEST(FaceFrameTest, TheCheckNamesWhatIsWrong) {
    EXPECT_EQ(CheckFaceFrame({0, 0, 96, 120}, 400, 300, 96, 120), FaceFrameProblem::None);
    // Either side may follow the other with truncation.
    EXPECT_EQ(CheckFaceFrame({0, 0, 97, 121}, 400, 300, 96, 120), FaceFrameProblem::None);
    EXPECT_EQ(CheckFaceFrame({0, 0, 97, 123}, 400, 300, 96, 120), FaceFrameProblem::WrongAspect);
    EXPECT_EQ(CheckFaceFrame({0, 0, 100, 90}, 400, 300, 96, 120), FaceFrameProblem::WrongAspect);
    EXPECT_EQ(CheckFaceFrame({0, 0, 0, 0}, 400, 300, 60, 60), FaceFrameProblem::NotPositive);
    EXPECT_EQ(CheckFaceFrame({10, 10, -60, 60}, 400, 300, 60, 60), FaceFrameProblem::NotPositive);
    EXPECT_EQ(CheckFaceFrame({-1, 0, 60, 60}, 400, 300, 60, 60), FaceFrameProblem::OutsidePicture);
    EXPECT_EQ(CheckFaceFrame({341, 0, 60, 60}, 400, 300, 60, 60), FaceFrameProblem::OutsidePicture);
    EXPECT_EQ(CheckFaceFrame({0, 2147483600, 60, 60}, 400, 300, 60, 60),
              FaceFrameProblem::OutsidePicture);
    // Below 56 pixels only where the picture holds no larger frame of the aspect.
    EXPECT_EQ(CheckFaceFrame({0, 0, 55, 55}, 400, 300, 240, 240), FaceFrameProblem::TooSmall);
    EXPECT_EQ(CheckFaceFrame({0, 0, 55, 55}, 55, 300, 240, 240), FaceFrameProblem::None);
    EXPECT_EQ(CheckFaceFrame({0, 0, 40, 50}, 400, 69, 96, 120), FaceFrameProblem::None);
    EXPECT_EQ(CheckFaceFrame({0, 0, 40, 50}, 400, 70, 96, 120), FaceFrameProblem::TooSmall);
}

}  // namespace
}  // namespace picture
