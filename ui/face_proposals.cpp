#include "ui/face_proposals.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include "picture/face_finder.h"
#include "picture/face_suggestion.h"

namespace ui {

namespace {

// The cascade is read and parsed once, when the first picture is cropped; a missing file
// leaves the finder unloaded for the rest of the run.
const picture::FaceFinder& Finder() {
    static const picture::FaceFinder finder = [] {
        picture::FaceFinder loaded;
        const std::string_view path = picture::FaceFinder::DefaultCascadePath();
        QFile file(QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size())));
        if (picture::FaceFinder::Available() && !path.empty() && file.open(QIODevice::ReadOnly)) {
            const QByteArray text = file.readAll();
            loaded.Load({text.constData(), static_cast<std::size_t>(text.size())});
        }
        return loaded;
    }();
    return finder;
}

}  // namespace

std::vector<picture::FaceFrame> ProposeFaceFrames(const picture::CDIB& picture, int targetWidth,
                                                  int targetHeight) {
    const std::vector<picture::FaceRect> faces = Finder().Find(picture);
    if (faces.empty())
        return {};
    return picture::SuggestFaceFrames(faces, picture.Width(), picture.Height(), targetWidth,
                                      targetHeight);
}

}  // namespace ui
