// The commands the main list runs on the document: save, initialize all, undo, redo and
// search.
#include "resources/string_table.h"
#include "ui/general_list_model.h"
#include "ui/kao_cg_edit_view.h"
#include "ui/retrieve_dlg.h"
#include "ui/wait_cursor.h"

namespace ui {
namespace {

constexpr int kInitializeSteps = 5;

}  // namespace

void CQ06KaoCgEditView::OnSave() {
    if (m_doc.GeneralManager() == nullptr) {
        return;
    }
    if (!m_doc.ConfirmGameNotRunning()) {
        return;
    }
    // Refilled only on success: after a failed write the marks still tell what is unsaved.
    if (m_doc.Save()) {
        FillList();
    }
}

void CQ06KaoCgEditView::OnInitializeAll() {
    if (m_doc.GeneralManager() == nullptr) {
        return;
    }
    if (!m_doc.ConfirmGameNotRunning()) {
        return;
    }
    const int answer =
        m_dialog.AskDiscard(resources::LoadString(resources::IDS_INITIALIZE_QUESTION), nullptr);
    if (answer != document::IMessageDialog::kResultYes) {
        return;
    }
    WaitCursor wait;
    m_progress.Open(resources::LoadString(resources::IDS_INITIALIZING), kInitializeSteps);
    m_doc.ResetFacesToDefaults();
    m_model->RefreshRows();
    m_progress.Step();
    m_progress.Step();
    m_progress.Close();
    ShowInPreview(GeneralAt(SelectedItem()));
    FillList();
}

// The document refills the list, which keeps the place and updates the frame.
void CQ06KaoCgEditView::OnUndo() {
    if (m_doc.GeneralManager() != nullptr) {
        m_doc.Undo();
    }
}

void CQ06KaoCgEditView::OnRedo() {
    if (m_doc.GeneralManager() != nullptr) {
        m_doc.Redo();
    }
}

void CQ06KaoCgEditView::OnSearch() {
    if (m_search->isVisible()) {
        return;
    }
    m_search->adjustSize();
    QRect frame = m_search->frameGeometry();
    frame.moveCenter(mapToGlobal(rect().center()));
    m_search->move(frame.topLeft());
    m_search->show();
    m_search->raise();
    m_search->activateWindow();
}

}  // namespace ui
