#include "picture/face_suggestion.h"

#include <algorithm>
#include <numeric>

namespace picture {

namespace {

// The crop dialog lets no selection side shrink below this.
constexpr int kMinimumSide = 56;

// The smallest step of a frame that keeps the aspect exact: 4 x 5 for 96 x 120, 1 x 1 for a
// square. Frames are whole multiples of it, so that the aspect check of the crop never
// refuses a proposal.
struct AspectStep {
    int width;
    int height;
};

AspectStep StepOf(int faceWidth, int faceHeight) {
    const int divisor = std::gcd(faceWidth, faceHeight);
    return {faceWidth / divisor, faceHeight / divisor};
}

int CeilDiv(int a, int b) {
    return (a + b - 1) / b;
}

}  // namespace

// The face detector's box runs from the brows to the mouth; twice its width takes in the
// hair and the chin, and a tenth of its height lower brings in the neck.
FaceFrame FaceFrameAround(const FaceRect& face, int pictureWidth, int pictureHeight, int faceWidth,
                          int faceHeight) {
    const AspectStep step = StepOf(faceWidth, faceHeight);
    const int fewest =
        std::max(CeilDiv(kMinimumSide, step.width), CeilDiv(kMinimumSide, step.height));
    const int most = std::min(pictureWidth / step.width, pictureHeight / step.height);
    if (most < fewest || face.width <= 0 || face.height <= 0)
        return CentredFaceFrame(pictureWidth, pictureHeight, faceWidth, faceHeight);
    const int steps = std::clamp(2 * face.width / step.width, fewest, most);
    const int width = steps * step.width;
    const int height = steps * step.height;
    const int centreX = face.left + face.width / 2;
    const int centreY = face.top + face.height / 2 + face.height / 10;
    return {std::clamp(centreX - width / 2, 0, pictureWidth - width),
            std::clamp(centreY - height / 2, 0, pictureHeight - height), width, height};
}

std::vector<FaceFrame> SuggestFaceFrames(std::span<const FaceRect> faces, int pictureWidth,
                                         int pictureHeight, int faceWidth, int faceHeight) {
    std::vector<FaceFrame> frames;
    if (faces.empty()) {
        frames.push_back(CentredFaceFrame(pictureWidth, pictureHeight, faceWidth, faceHeight));
        return frames;
    }
    frames.reserve(faces.size());
    for (const FaceRect& face : faces)
        frames.push_back(FaceFrameAround(face, pictureWidth, pictureHeight, faceWidth, faceHeight));
    return frames;
}

}  // namespace picture
