#include "ui/crop_face.h"

#include <algorithm>

#include "ui/bmp_cut_dlg.h"

namespace ui {

FaceFrame DerivedFaceFrame(const FaceFrame& previous, int previousFaceWidth, int previousFaceHeight,
                           int pictureWidth, int pictureHeight, int faceWidth, int faceHeight) {
    (void)previousFaceWidth;
    (void)previousFaceHeight;
    int width = previous.width;
    int height = width * faceHeight / faceWidth;
    if (height > pictureHeight) {
        height = pictureHeight;
        width = height * faceWidth / faceHeight;
    }
    const int centreX = previous.left + previous.width / 2;
    const int centreY = previous.top + previous.height / 2;
    const int left = std::clamp(centreX - width / 2, 0, std::max(0, pictureWidth - width));
    const int top = std::clamp(centreY - height / 2, 0, std::max(0, pictureHeight - height));
    return {left, top, width, height};
}

std::unique_ptr<CBMPCutDlg> MakeCropDialog(const picture::CDIB& picture, int faceWidth,
                                           int faceHeight, picture::CDIB& face,
                                           const std::optional<FaceFrame>& frame, QWidget* parent) {
    (void)frame;
    return std::make_unique<CBMPCutDlg>(picture, faceWidth, faceHeight, face, parent);
}

FaceFrame CurrentFrame(const CBMPCutDlg& dialog) {
    const CropSelection& s = dialog.Selection();
    return {s.Left(), s.Top(), s.Width(), s.Height()};
}

std::optional<CropOutcome> CropFace(const picture::CDIB& picture, int faceWidth, int faceHeight,
                                    const std::optional<FaceFrame>& frame, QWidget* parent) {
    CropOutcome outcome;
    std::unique_ptr<CBMPCutDlg> dialog =
        MakeCropDialog(picture, faceWidth, faceHeight, outcome.face, frame, parent);
    if (dialog->exec() != QDialog::Accepted || !outcome.face.IsValid())
        return std::nullopt;
    outcome.frame = CurrentFrame(*dialog);
    return outcome;
}

}  // namespace ui
