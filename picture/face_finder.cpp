#include "picture/face_finder.h"

#include <algorithm>
#include <tuple>

#include "picture/face_detector.h"
#include "picture/grey_picture.h"

namespace picture {

namespace {

// A face smaller than this share of the copy's short side would give a blurred face picture
// and costs the classifier most of its time, so it is not looked for.
constexpr int kSmallestFaceShare = 12;
// The classifier's own window is 24 pixels.
constexpr int kSmallestFaceSide = 24;

long long Area(const FaceRect& r) {
    return static_cast<long long>(r.width) * r.height;
}

bool HoldsCentreOf(const FaceRect& outer, const FaceRect& inner) {
    const int x = inner.left + inner.width / 2;
    const int y = inner.top + inner.height / 2;
    return x >= outer.left && x < outer.left + outer.width && y >= outer.top &&
           y < outer.top + outer.height;
}

// Largest first, then top to bottom and left to right, so that equal faces keep one order; a
// box whose centre lies inside a larger one is the same face found twice and is dropped.
std::vector<FaceRect> LargestFirst(std::vector<FaceRect> found) {
    std::sort(found.begin(), found.end(), [](const FaceRect& a, const FaceRect& b) {
        return std::tuple(-Area(a), a.top, a.left) < std::tuple(-Area(b), b.top, b.left);
    });
    std::vector<FaceRect> faces;
    for (const FaceRect& face : found) {
        if (std::none_of(faces.begin(), faces.end(),
                         [&](const FaceRect& kept) { return HoldsCentreOf(kept, face); }))
            faces.push_back(face);
    }
    return faces;
}

FaceRect ToPicture(const FaceRect& r, int scale) {
    return {r.left * scale, r.top * scale, r.width * scale, r.height * scale};
}

}  // namespace

FaceFinder::FaceFinder() = default;
FaceFinder::~FaceFinder() = default;
FaceFinder::FaceFinder(FaceFinder&&) noexcept = default;
FaceFinder& FaceFinder::operator=(FaceFinder&&) noexcept = default;

bool FaceFinder::Available() {
    return FaceDetectionBuiltIn();
}

std::string_view FaceFinder::DefaultCascadePath() {
#ifdef KAOCG_FACE_CASCADE_PATH
    return KAOCG_FACE_CASCADE_PATH;
#else
    return {};
#endif
}

bool FaceFinder::Load(std::string_view cascadeText) {
    std::unique_ptr<FaceDetector> detector = LoadFaceDetector(cascadeText);
    if (!detector)
        return false;
    m_detector = std::move(detector);
    return true;
}

std::vector<FaceRect> FaceFinder::Find(const CDIB& picture) const {
    if (!m_detector)
        return {};
    const GreyPicture grey = DownscaleToGrey(picture, kLongSide);
    if (grey.width < kSmallestFaceSide || grey.height < kSmallestFaceSide)
        return {};
    const int smallest =
        std::max(kSmallestFaceSide, std::min(grey.width, grey.height) / kSmallestFaceShare);
    std::vector<FaceRect> faces = LargestFirst(m_detector->Detect(grey, smallest));
    for (FaceRect& face : faces)
        face = ToPicture(face, grey.scale);
    return faces;
}

}  // namespace picture
