#pragma once

#include <QWidget>
#include <memory>
#include <optional>

#include "picture/dib.h"

namespace ui {

class CBMPCutDlg;

// A face's frame in upright picture pixels.
struct FaceFrame {
    int left;
    int top;
    int width;
    int height;
    friend bool operator==(const FaceFrame&, const FaceFrame&) = default;
};

// The frame for a face of faceWidth x faceHeight framed on the same picture as `previous`
// (which framed a face of previousFaceWidth x previousFaceHeight): the same centre, the same
// width, the height of the new aspect, kept inside the picture.
FaceFrame DerivedFaceFrame(const FaceFrame& previous, int previousFaceWidth, int previousFaceHeight,
                           int pictureWidth, int pictureHeight, int faceWidth, int faceHeight);

// What a decided crop leaves: the face, and the frame it was cut from in the picture as the
// dialog last showed it. `turned` is that picture when the dialog turned it, invalid when the
// picture it was given is still upright as it is.
struct CropOutcome {
    picture::CDIB face;
    FaceFrame frame;
    picture::CDIB turned;
};

// The crop dialog on `picture` (24-bit) for a face of faceWidth x faceHeight, opening on
// `frame` when one is given and on the dialog's own first frame otherwise. `picture` and `face`
// must outlive it; "決定" fills `face`.
std::unique_ptr<CBMPCutDlg> MakeCropDialog(const picture::CDIB& picture, int faceWidth,
                                           int faceHeight, picture::CDIB& face,
                                           const std::optional<FaceFrame>& frame, QWidget* parent);

// The frame the dialog shows now.
FaceFrame CurrentFrame(const CBMPCutDlg& dialog);

// Runs the crop dialog modally; nothing when the user cancels.
std::optional<CropOutcome> CropFace(const picture::CDIB& picture, int faceWidth, int faceHeight,
                                    const std::optional<FaceFrame>& frame, QWidget* parent);

}  // namespace ui
