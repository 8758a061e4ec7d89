#include "ui/crop_face.h"

#include "ui/bmp_cut_dlg.h"

namespace ui {

std::unique_ptr<CBMPCutDlg> MakeCropDialog(const picture::CDIB& picture, int faceWidth,
                                           int faceHeight, picture::CDIB& face,
                                           const std::optional<FaceFrame>& frame, QWidget* parent) {
    auto dialog = std::make_unique<CBMPCutDlg>(picture, faceWidth, faceHeight, face, parent);
    if (frame)
        dialog->SetFrame(*frame);
    return dialog;
}

std::optional<CropOutcome> CropFace(const picture::CDIB& picture, int faceWidth, int faceHeight,
                                    const std::optional<FaceFrame>& frame, QWidget* parent) {
    CropOutcome outcome;
    std::unique_ptr<CBMPCutDlg> dialog =
        MakeCropDialog(picture, faceWidth, faceHeight, outcome.face, frame, parent);
    if (dialog->DoModal() != QDialog::Accepted || !outcome.face.IsValid())
        return std::nullopt;
    outcome.frame = dialog->Frame();
    if (std::optional<picture::CDIB> turned = dialog->TakeTurnedPicture())
        outcome.turned = std::move(*turned);
    return outcome;
}

}  // namespace ui
