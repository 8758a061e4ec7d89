#pragma once

#include <optional>
#include <vector>

#include "picture/crop_selection.h"
#include "picture/dib.h"
#include "picture/face_frame.h"
#include "ui/game_dlg.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QScrollBar;

namespace ui {

class CropView;

// "選擇範圍": the picture, fitted when the dialog opens and zoomable, with scroll bars and a
// selection of the target's aspect that the player moves and resizes. "決定" scales the
// selection into the target picture (area averaging, or nearest pixels when "最近點縮放" is
// ticked; the choice is remembered); "中止" leaves the target untouched.
//
// Use:
//   CBMPCutDlg cut(picture, 240, 240, face, this);
//   cut.SetFrame(previousFrame);          // optional; else the centred frame of the aspect
//   cut.SetProposedFrames(foundFaces);    // optional; two or more show "下一張臉"
//   if (cut.DoModal() == QDialog::Accepted) {
//       // `face` holds 240 x 240; cut.Frame() is the chosen frame in the upright picture,
//       // which is `picture` itself when cut.QuarterTurns() == 0 and cut.TakeTurnedPicture()
//       // otherwise.
//   }
class CBMPCutDlg : public CGameDlg {
    Q_OBJECT

public:
    // `source` must be a 24-bit picture; it and `target` must outlive the dialog. The
    // selection starts as the largest frame of the target's aspect centred on the picture.
    CBMPCutDlg(const picture::CDIB& source, int targetWidth, int targetHeight,
               picture::CDIB& target, QWidget* parent = nullptr);
    ~CBMPCutDlg() override;

    // The selection becomes `frame` (upright picture pixels, of the target's aspect), kept
    // inside the picture as a move would. Frames refer to the picture as it is now; after a
    // turn the selection starts centred again.
    void SetFrame(const picture::FaceFrame& frame);
    // Frames the caller proposes (found faces, best first). The first becomes the selection;
    // with two or more "下一張臉" steps through them in turn. Dropped when the picture turns.
    void SetProposedFrames(std::vector<picture::FaceFrame> frames);

    int DoModal() { return exec(); }

    // The selection as a frame of the upright picture.
    picture::FaceFrame Frame() const;
    // Quarter turns clockwise (0 ... 3) the player gave the picture with the turn buttons.
    int QuarterTurns() const { return m_quarterTurns; }
    // The turned picture, moved out of the dialog: nothing when it was not turned (the
    // upright picture is then `source`). Call once, after the dialog has ended.
    std::optional<picture::CDIB> TakeTurnedPicture();

    // For tests and the caller's own checks.
    const picture::CropSelection& Selection() const { return m_selection; }
    const picture::CDIB& Picture() const;
    CropView* View() const { return m_view; }
    QScrollBar* HorizontalBar() const { return m_horizontal; }
    QScrollBar* VerticalBar() const { return m_vertical; }
    QCheckBox* NearestBox() const { return m_nearest; }
    QLabel* ZoomLabel() const { return m_zoomLabel; }
    QLabel* SizeLabel() const { return m_sizeLabel; }
    QPushButton* NextFaceButton() const { return m_nextFace; }

    void accept() override;

    // The largest size the dialog opens at: about 90 % of the screen's available area.
    static QSize OpeningSize(const QRect& available);

protected:
    const LayoutRecord* LayoutTable() const override;
    bool WantsToolTips() const override { return false; }
    void LayOut() override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void CreateControls();
    void CreateShortcuts();
    void Turn(int quarterTurnsClockwise);
    void ShowNextFace();
    void SyncBars();
    void ShowZoomAndSize();
    void SetUpBar(QScrollBar* bar, int limit, int value, int viewExtent);

    const picture::CDIB& m_source;
    picture::CDIB& m_target;
    int m_targetWidth;
    int m_targetHeight;
    std::optional<picture::CDIB> m_turned;
    int m_quarterTurns = 0;
    picture::CropSelection m_selection;
    std::vector<picture::FaceFrame> m_proposals;
    std::size_t m_proposal = 0;
    bool m_syncingBars = false;
    CropView* m_view = nullptr;
    QScrollBar* m_horizontal = nullptr;
    QScrollBar* m_vertical = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    QPushButton* m_nextFace = nullptr;
    QPushButton* m_turnLeft = nullptr;
    QPushButton* m_turnRight = nullptr;
    QCheckBox* m_nearest = nullptr;
    QLabel* m_zoomLabel = nullptr;
    QLabel* m_sizeLabel = nullptr;
};

}  // namespace ui
