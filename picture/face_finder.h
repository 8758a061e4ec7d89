#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "picture/dib.h"
#include "picture/face_rect.h"

namespace picture {

class FaceDetector;

// Finds frontal faces in a picture with a cascade classifier. The caller reads the cascade's
// file (this library opens no files) and hands its text to Load; an unloaded finder, or one in
// a build without face detection, finds nothing.
class FaceFinder {
public:
    // Detection runs on a grey copy whose long side is at most this many pixels, so that it
    // takes about the same short time for any photo.
    static constexpr int kLongSide = 800;

    FaceFinder();
    ~FaceFinder();
    FaceFinder(FaceFinder&&) noexcept;
    FaceFinder& operator=(FaceFinder&&) noexcept;

    // Whether this build can detect faces at all.
    static bool Available();
    // Where the build found the frontal-face cascade; empty when it found none.
    static std::string_view DefaultCascadePath();

    // Takes the classifier from the text of its XML file. False when the text is no cascade
    // or the build cannot detect; the finder is then unchanged.
    bool Load(std::string_view cascadeText);
    bool IsLoaded() const { return m_detector != nullptr; }

    // The faces in an upright 24- or 32-bit picture, largest first, in picture pixels. None
    // when the finder is not loaded, for other depths, or when detection fails.
    std::vector<FaceRect> Find(const CDIB& picture) const;

private:
    std::unique_ptr<FaceDetector> m_detector;
};

}  // namespace picture
