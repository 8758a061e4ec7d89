#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "picture/face_suggestion.h"

namespace picture {
namespace {

struct Size {
    int width;
    int height;
};
constexpr Size kLarge{240, 240};
constexpr Size kMedium{96, 120};
constexpr Size kSmall{60, 60};

FaceFrame Around(const FaceRect& face, int pictureWidth, int pictureHeight, Size size) {
    return FaceFrameAround(face, pictureWidth, pictureHeight, size.width, size.height);
}

void ExpectFrame(const FaceFrame& frame, int left, int top, int width, int height) {
    EXPECT_EQ(frame.left, left);
    EXPECT_EQ(frame.top, top);
    EXPECT_EQ(frame.width, width);
    EXPECT_EQ(frame.height, height);
}

TEST(FaceSuggestion, FrameIsTwiceTheFaceWideCentredALittleLower) {
    const FaceRect face{1000, 800, 400, 400};
    // Centre (1200, 1000) moved down by a tenth of the face to 1040.
    ExpectFrame(Around(face, 4000, 3000, kLarge), 800, 640, 800, 800);
    ExpectFrame(Around(face, 4000, 3000, kSmall), 800, 640, 800, 800);
    // The medium frame keeps the width and the centre and is a quarter taller.
    ExpectFrame(Around(face, 4000, 3000, kMedium), 800, 540, 800, 1000);
}

TEST(FaceSuggestion, FrameStaysInsideThePictureAndShrinksToFit) {
    ExpectFrame(Around({10, 10, 100, 100}, 4000, 3000, kLarge), 0, 0, 200, 200);
    ExpectFrame(Around({3900, 2900, 100, 100}, 4000, 3000, kLarge), 3800, 2800, 200, 200);
    // Twice the face would be 600; the picture allows 400 high, and 320 x 400 for medium.
    ExpectFrame(Around({100, 50, 300, 300}, 500, 400, kLarge), 50, 0, 400, 400);
    ExpectFrame(Around({100, 50, 300, 300}, 500, 400, kMedium), 90, 0, 320, 400);
}

TEST(FaceSuggestion, TinyFacesGetTheSmallestSelectionAndTinyPicturesTheCentredFrame) {
    ExpectFrame(Around({500, 500, 10, 10}, 1000, 1000, kLarge), 477, 478, 56, 56);
    ExpectFrame(Around({500, 500, 10, 10}, 1000, 1000, kMedium), 477, 471, 56, 70);
    // 56 x 70 does not fit 60 pixels high.
    const FaceFrame centred = CentredFaceFrame(100, 60, 96, 120);
    ExpectFrame(Around({20, 20, 20, 20}, 100, 60, kMedium), centred.left, centred.top,
                centred.width, centred.height);
}

// Whatever the face, the proposal must be a selection the crop dialog accepts as it is.
TEST(FaceSuggestion, EveryFrameHasTheExactAspectTheMinimumAndLiesInThePicture) {
    std::mt19937 random(7);
    for (int i = 0; i < 2000; ++i) {
        const int width = std::uniform_int_distribution(80, 5000)(random);
        const int height = std::uniform_int_distribution(80, 5000)(random);
        const int side = std::uniform_int_distribution(1, std::min(width, height))(random);
        const FaceRect face{std::uniform_int_distribution(0, width - side)(random),
                            std::uniform_int_distribution(0, height - side)(random), side, side};
        for (const Size size : {kLarge, kMedium, kSmall}) {
            const FaceFrame f = Around(face, width, height, size);
            ASSERT_EQ(static_cast<long long>(f.width) * size.height,
                      static_cast<long long>(f.height) * size.width);
            ASSERT_GE(f.width, 56);
            ASSERT_GE(f.height, 56);
            ASSERT_GE(f.left, 0);
            ASSERT_GE(f.top, 0);
            ASSERT_LE(f.left + f.width, width);
            ASSERT_LE(f.top + f.height, height);
        }
    }
}

TEST(FaceSuggestion, OneFramePerFaceInOrderOrTheCentredFrameAlone) {
    const std::vector<FaceRect> faces{{1000, 800, 400, 400}, {100, 100, 100, 100}};
    const std::vector<FaceFrame> frames = SuggestFaceFrames(faces, 4000, 3000, 240, 240);
    ASSERT_EQ(frames.size(), 2u);
    ExpectFrame(frames[0], 800, 640, 800, 800);
    ExpectFrame(frames[1], 50, 60, 200, 200);

    const std::vector<FaceFrame> none = SuggestFaceFrames({}, 4000, 3000, 96, 120);
    ASSERT_EQ(none.size(), 1u);
    const FaceFrame centred = CentredFaceFrame(4000, 3000, 96, 120);
    ExpectFrame(none[0], centred.left, centred.top, centred.width, centred.height);
}

}  // namespace
}  // namespace picture
