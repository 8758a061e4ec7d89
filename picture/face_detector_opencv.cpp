// The face detector on OpenCV's cascade classifier: the only file that includes OpenCV, and
// every exception it throws ends here.
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#include <opencv2/objdetect.hpp>

#include <string>

#include "picture/face_detector.h"

namespace picture {

namespace {

// Each scale step 20 % larger, which takes far less time than the usual 10 % and still finds
// frontal portraits; a face only where five neighbouring windows agree, which keeps
// false faces in backgrounds rare.
constexpr double kScaleStep = 1.2;
constexpr int kNeighbours = 5;

class OpenCvFaceDetector final : public FaceDetector {
public:
    bool Load(const std::string& text) {
        cv::FileStorage storage(text, cv::FileStorage::READ | cv::FileStorage::MEMORY);
        return storage.isOpened() && m_classifier.read(storage.getFirstTopLevelNode()) &&
               !m_classifier.empty();
    }

    std::vector<FaceRect> Detect(const GreyPicture& grey, int minimumSide) const override {
        std::vector<FaceRect> faces;
        try {
            faces = Run(grey, minimumSide);
        } catch (const std::exception&) {
            faces.clear();
        }
        return faces;
    }

private:
    // Equalising the histogram first lets the cascade see faces in dim or washed-out photos.
    std::vector<FaceRect> Run(const GreyPicture& grey, int minimumSide) const {
        const cv::Mat wrapped(grey.height, grey.width, CV_8UC1,
                              const_cast<std::uint8_t*>(grey.pixels.data()));
        cv::Mat equalised;
        cv::equalizeHist(wrapped, equalised);
        std::vector<cv::Rect> found;
        m_classifier.detectMultiScale(equalised, found, kScaleStep, kNeighbours, 0,
                                      cv::Size(minimumSide, minimumSide));
        std::vector<FaceRect> faces;
        faces.reserve(found.size());
        for (const cv::Rect& r : found)
            faces.push_back({r.x, r.y, r.width, r.height});
        return faces;
    }

    // detectMultiScale changes no state that a caller could see, but is not declared const.
    mutable cv::CascadeClassifier m_classifier;
};

}  // namespace

bool FaceDetectionBuiltIn() {
    return true;
}

std::unique_ptr<FaceDetector> LoadFaceDetector(std::string_view cascadeText) {
    try {
        auto detector = std::make_unique<OpenCvFaceDetector>();
        if (detector->Load(std::string(cascadeText)))
            return detector;
    } catch (const std::exception&) {
    }
    return nullptr;
}

}  // namespace picture
