#include "ui/kao_cg_edit_view.h"

#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QScrollBar>
#include <algorithm>

#include "ui/cg_dialog_bar.h"
#include "ui/fonts.h"
#include "ui/general_list_model.h"
#include "ui/retrieve_dlg.h"

namespace ui {

CQ06KaoCgEditView::CQ06KaoCgEditView(document::CQ06KaoCgEditDoc& doc,
                                     document::IMessageDialog& dialog,
                                     document::IProgressWindow& progress, QWidget* parent)
    : QListView(parent),
      m_dialog(dialog),
      m_progress(progress),
      m_doc(doc),
      m_fileDialog(std::make_unique<FileDialogChooser>()),
      m_chooser(m_fileDialog.get()) {
    setObjectName(QStringLiteral("generalList"));
    setViewMode(QListView::IconMode);
    setMovement(QListView::Static);
    setResizeMode(QListView::Adjust);
    setWrapping(true);
    setIconSize(QSize(document::ThumbnailList::kSide, document::ThumbnailList::kSide));
    setGridSize(QSize(kGridWidth, kGridHeight));
    setWordWrap(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(false);

    m_model = new GeneralListModel(this);
    setModel(m_model);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { OnCurrentChanged(current); });
    m_search = new CRetrieveDlg(*this, m_dialog);
    // The list and everything it owns speak in the editor's normal font; the search dialog
    // is a window of its own and does not inherit it.
    setFont(NormalFont());
    m_search->setFont(NormalFont());
}

CQ06KaoCgEditView::~CQ06KaoCgEditView() = default;

void CQ06KaoCgEditView::FillList() {
    if (m_doc.GeneralManager() == nullptr) {
        return;
    }
    // The rows keep their order across a refill, so the place is a row and a scroll offset.
    const int selected = std::max(SelectedItem(), 0);
    const int scrolled = verticalScrollBar()->value();
    m_model->Reset(m_doc.GeneralManager(), m_doc.Edition());
    emit frameStateChanged();
    if (ItemCount() == 0) {
        ShowInPreview(nullptr);
        return;
    }
    // Laid out now, so that the scroll range is there to restore the offset into.
    doItemsLayout();
    const int row = std::min(selected, ItemCount() - 1);
    SelectItem(row);
    verticalScrollBar()->setValue(scrolled);
    scrollTo(m_model->index(row), QAbstractItemView::EnsureVisible);
}

int CQ06KaoCgEditView::ItemCount() const {
    return m_model->rowCount();
}

int CQ06KaoCgEditView::SelectedItem() const {
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    int first = -1;
    for (const QModelIndex& index : selected) {
        if (first < 0 || index.row() < first) {
            first = index.row();
        }
    }
    return first;
}

roster::bushou* CQ06KaoCgEditView::GeneralAt(int item) const {
    return m_model->GeneralAt(item);
}

void CQ06KaoCgEditView::SelectItem(int item) {
    const QModelIndex index = m_model->index(item);
    if (!index.isValid()) {
        return;
    }
    const bool wasCurrent = currentIndex() == index;
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
    // A change of the current item shows itself; the same item again is shown anew, as its
    // faces may have changed since.
    if (wasCurrent) {
        ShowInPreview(GeneralAt(item));
    }
}

void CQ06KaoCgEditView::ShowInPreview(const roster::bushou* general) {
    if (m_previewBar != nullptr) {
        m_previewBar->ShowGeneral(general);
    }
}

void CQ06KaoCgEditView::OnCurrentChanged(const QModelIndex& current) {
    ShowInPreview(current.isValid() ? GeneralAt(current.row()) : nullptr);
}

void CQ06KaoCgEditView::mousePressEvent(QMouseEvent* event) {
    // The right button neither selects nor changes the preview.
    if (event->button() == Qt::RightButton) {
        event->accept();
        return;
    }
    QListView::mousePressEvent(event);
}

void CQ06KaoCgEditView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        event->accept();
        return;
    }
    QListView::mouseDoubleClickEvent(event);
}

}  // namespace ui
