#include "ui/crop_face.h"

#include "ui/bmp_cut_dlg.h"
#include "ui/face_proposals.h"

namespace ui {

std::unique_ptr<CBMPCutDlg> MakeCropDialog(const picture::CDIB& picture, int faceWidth,
                                           int faceHeight, picture::CDIB& face,
                                           const std::optional<FaceFrame>& frame, QWidget* parent) {
    auto dialog = std::make_unique<CBMPCutDlg>(picture, faceWidth, faceHeight, face, parent);
    // A frame the user already chose wins; otherwise the first selection sits on the largest
    // face found, and a picture without one stays centred.
    if (frame)
        dialog->SetFrame(*frame);
    else if (auto faces = ProposeFaceFrames(picture, faceWidth, faceHeight); !faces.empty())
        dialog->SetProposedFrames(std::move(faces));
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
