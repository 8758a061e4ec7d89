#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "picture/face_rect.h"
#include "picture/grey_picture.h"

namespace picture {

// The cascade classifier behind the face finder. One source file binds it to the library
// that does the work; a build without that library has a stand-in that never loads.
class FaceDetector {
public:
    virtual ~FaceDetector() = default;
    // Faces in grey pixels, at least minimumSide wide, in no particular order; none when the
    // library fails.
    virtual std::vector<FaceRect> Detect(const GreyPicture& grey, int minimumSide) const = 0;
};

// Whether this build has a face detector at all.
bool FaceDetectionBuiltIn();

// A detector from the text of a cascade classifier's XML file; nullptr when the text is no
// cascade or the build has no detector.
std::unique_ptr<FaceDetector> LoadFaceDetector(std::string_view cascadeText);

}  // namespace picture
