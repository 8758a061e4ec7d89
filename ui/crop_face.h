#pragma once

#include <QWidget>
#include <memory>
#include <optional>

#include "picture/dib.h"
#include "picture/face_frame.h"

namespace ui {

class CBMPCutDlg;

using picture::FaceFrame;

// What a decided crop leaves: the face, and the frame it was cut from in the picture as the
// dialog last showed it. `turned` is that picture when the user turned it, invalid when the
// picture the dialog was given is still the upright one.
struct CropOutcome {
    picture::CDIB face;
    FaceFrame frame;
    picture::CDIB turned;
};

// The crop dialog on `picture` (24-bit, upright) for a face of faceWidth x faceHeight, opening
// on `frame` when one is given, else around the faces found in it (the largest first), else
// on the dialog's own centred frame. `picture` and
// `face` must outlive it; "決定" fills `face`.
std::unique_ptr<CBMPCutDlg> MakeCropDialog(const picture::CDIB& picture, int faceWidth,
                                           int faceHeight, picture::CDIB& face,
                                           const std::optional<FaceFrame>& frame, QWidget* parent);

// Runs the crop dialog modally; nothing when the user cancels.
std::optional<CropOutcome> CropFace(const picture::CDIB& picture, int faceWidth, int faceHeight,
                                    const std::optional<FaceFrame>& frame, QWidget* parent);

}  // namespace ui
