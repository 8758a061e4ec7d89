#include "ui/preview_faces.h"

#include "kaocg/face_image_transfer.h"
#include "kaocg/face_number_map.h"
#include "ui/dib_image.h"

namespace ui {

PreviewFaces ReadPreviewFaces(const document::FaceSource& source, std::int32_t faceNumber) {
    PreviewFaces result;
    const int edition = source.archives.edition;
    for (int size = kaocg_func::kSizeSmall; size <= kaocg_func::kSizeLarge; ++size) {
        const std::int32_t id = kaocg_func::FaceCgIdOf(edition, faceNumber, size);
        if (id < 0) {
            continue;
        }
        picture::CDIB face;
        if (!kaocg_func::TransferFaceImage(source.archives, source.settings.editDataFolder, id,
                                           face, source.settings.stockDataFolder,
                                           kaocg_func::TransferMode::Load, true)) {
            result.readFailed = true;
            continue;
        }
        const QSize visible = kFaceVisibleSizes[static_cast<std::size_t>(size)];
        result.faces[static_cast<std::size_t>(size)] =
            DibToImage(face).copy(QRect(QPoint(0, 0), visible));
    }
    return result;
}

}  // namespace ui
