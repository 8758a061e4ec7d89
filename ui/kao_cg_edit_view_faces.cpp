// The two commands that edit faces: registering a loaded picture and changing a general's face.
#include <QDialog>

#include "document/registration.h"
#include "ui/bmp_read_dlg.h"
#include "ui/general_list_model.h"
#include "ui/kao_cg_edit_view.h"
#include "ui/kao_select_dlg.h"
#include "ui/wait_cursor.h"

namespace ui {

void CQ06KaoCgEditView::OnLoadImage() {
    if (!m_doc.ConfirmGameNotRunning()) {
        return;
    }
    CBMPReadDlg read(*m_chooser, m_doc.Windows().messageBox, this);
    if (read.DoModal() != QDialog::Accepted) {
        return;
    }
    CKaoSelectDlg select(m_doc, CKaoSelectDlg::kModeRegister, m_dialog, this);
    if (select.exec() != QDialog::Accepted) {
        return;
    }
    WaitCursor wait;
    const int faceNumber = select.SelectedFaceNumber();
    if (faceNumber == -1) {
        return;
    }
    // The document refills the list, so every general wearing the slot shows the new face.
    document::RegisterFace(m_doc, read.Cropped(CBMPReadDlg::kLarge),
                           read.Cropped(CBMPReadDlg::kMedium), read.Cropped(CBMPReadDlg::kSmall),
                           faceNumber);
}

void CQ06KaoCgEditView::OnChangeImage() {
    CKaoSelectDlg select(m_doc, CKaoSelectDlg::kModeChange, m_dialog, this);
    if (select.exec() != QDialog::Accepted || m_doc.GeneralManager() == nullptr) {
        return;
    }
    roster::bushou* general = GeneralAt(SelectedItem());
    // A confirmed dialog always has a choice; -1 would be stored as a face number otherwise.
    if (general == nullptr || select.SelectedFaceNumber() < 0) {
        return;
    }
    document::ChangeFace(m_doc, *general, select.SelectedFaceNumber());
    ShowInPreview(general);
    m_model->RefreshRows();
    emit frameStateChanged();
}

}  // namespace ui
