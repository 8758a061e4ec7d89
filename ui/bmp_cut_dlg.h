#pragma once

#include "picture/dib.h"
#include "ui/crop_selection.h"
#include "ui/game_dlg.h"

class QPushButton;
class QScrollBar;

namespace ui {

class CropView;

// "選擇範圍": the picture at 1:1 with scroll bars and a selection of the target's aspect that
// the user moves and resizes. "決定" scales the selection into the target picture with
// nearest-pixel sampling; "中止" leaves the target untouched.
class CBMPCutDlg : public CGameDlg {
    Q_OBJECT

public:
    // `source` must be a 24-bit picture; it and `target` must outlive the dialog. The
    // selection starts at (0, 0, targetWidth, targetHeight).
    CBMPCutDlg(const picture::CDIB& source, int targetWidth, int targetHeight,
               picture::CDIB& target, QWidget* parent = nullptr);
    ~CBMPCutDlg() override;

    int DoModal() { return exec(); }

    const CropSelection& Selection() const { return m_selection; }
    CropView* View() const { return m_view; }
    QScrollBar* HorizontalBar() const { return m_horizontal; }
    QScrollBar* VerticalBar() const { return m_vertical; }

    void accept() override;

protected:
    const LayoutRecord* LayoutTable() const override;
    bool WantsToolTips() const override { return false; }
    void LayOut() override;
    void resizeEvent(QResizeEvent* event) override;

private:
    static void SetUpBar(QScrollBar* bar, int pictureExtent, int viewExtent);

    const picture::CDIB& m_source;
    picture::CDIB& m_target;
    CropSelection m_selection;
    CropView* m_view = nullptr;
    QScrollBar* m_horizontal = nullptr;
    QScrollBar* m_vertical = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

}  // namespace ui
