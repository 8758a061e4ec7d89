#pragma once

#include <QListView>
#include <memory>
#include <string>

#include "document/document.h"
#include "document/feedback.h"
#include "roster/bushou.h"
#include "ui/open_file_chooser.h"

namespace ui {

class CCGDialogBar;
class CRetrieveDlg;
class GeneralListModel;

// The main list: every editable general as a thumbnail of its current face with the name
// below, in roster order. It receives the editor's commands and runs them on the document.
class CQ06KaoCgEditView : public QListView, public document::IGeneralList {
    Q_OBJECT
public:
    static constexpr int kGridWidth = 126;
    static constexpr int kGridHeight = 105;

    CQ06KaoCgEditView(document::CQ06KaoCgEditDoc& doc, document::IMessageDialog& dialog,
                      document::IProgressWindow& progress, QWidget* parent = nullptr);
    ~CQ06KaoCgEditView() override;

    void SetPreviewBar(CCGDialogBar* bar) { m_previewBar = bar; }

    // Rebuilds every item from the roster and shows the selected one in the preview. The
    // general that was selected stays selected and the list keeps its scroll position; the
    // first item is selected when none was.
    void FillList() override;

    // The items, for the search dialog and the commands.
    int ItemCount() const;
    // The first selected item, or -1.
    int SelectedItem() const;
    roster::bushou* GeneralAt(int item) const;
    // Selects, focuses and scrolls to an item and shows its general in the preview bar.
    void SelectItem(int item);

    CRetrieveDlg& SearchDialog() { return *m_search; }
    // Where Load image asks for picture files; the platform's file dialog unless replaced.
    void SetFileChooser(IOpenFileChooser& chooser) { m_chooser = &chooser; }

public slots:
    void OnLoadImage();
    void OnChangeImage();
    void OnSave();
    void OnInitializeAll();
    void OnSearch();
    void OnUndo();
    void OnRedo();

signals:
    // The roster's derived states may have changed: the frame updates its menu and title.
    void frameStateChanged();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void ShowInPreview(const roster::bushou* general);
    void OnCurrentChanged(const QModelIndex& current);

    document::IMessageDialog& m_dialog;
    document::IProgressWindow& m_progress;
    document::CQ06KaoCgEditDoc& m_doc;
    CCGDialogBar* m_previewBar = nullptr;
    GeneralListModel* m_model = nullptr;
    CRetrieveDlg* m_search = nullptr;
    std::unique_ptr<IOpenFileChooser> m_fileDialog;
    IOpenFileChooser* m_chooser = nullptr;
};

}  // namespace ui
