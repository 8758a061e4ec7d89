#pragma once

#include <QDialog>

#include "document/document.h"
#include "document/feedback.h"

class QComboBox;
class QListWidget;
class QPushButton;
class QShowEvent;

namespace ui {

// The modal dialog that picks one face-CG slot by its face number. In change mode every kind
// is offered and the chosen slot becomes a general's face; in register mode only the edit
// kinds are offered and the chosen slot receives a newly loaded picture.
//
// In the ZV edition the answer for an item listed after the gap 1198..1218 is 21 below the
// number it stands for, which the change-image command expects and adds back
// (document::ListedFaceNumber).
class CKaoSelectDlg : public QDialog {
    Q_OBJECT
public:
    enum Mode : int { kModeChange = 0, kModeRegister = 1 };

    CKaoSelectDlg(document::CQ06KaoCgEditDoc& doc, int mode, document::IMessageDialog& dialog,
                  QWidget* parent = nullptr);

    // The face number chosen with "確定", or -1 when nothing was chosen.
    int SelectedFaceNumber() const { return m_selectedFaceNumber; }

    QComboBox* KindCombo() const { return m_kinds; }
    QListWidget* FaceList() const { return m_faces; }
    QPushButton* OkButton() const { return m_ok; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildLayout();
    void FillKinds();
    void OnKindChanged(int position);
    void BuildList();
    void UpdateOkButton();
    void OnOk();
    int CurrentKind() const;
    int SelectedRow() const;

    document::CQ06KaoCgEditDoc& m_doc;
    int m_mode;
    document::IMessageDialog& m_dialog;
    int m_selectedFaceNumber = -1;
    bool m_guideShown = false;
    QComboBox* m_kinds = nullptr;
    QListWidget* m_faces = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

}  // namespace ui
