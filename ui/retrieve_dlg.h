#pragma once

#include <QDialog>

#include "document/feedback.h"
#include "ui/general_search.h"

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace ui {

class CQ06KaoCgEditView;

// The modeless search dialog: finds the next general of the main list whose name contains a
// text, in either direction round the list. Cancel only hides it, so the text and the
// direction are still there the next time it is shown.
class CRetrieveDlg : public QDialog {
    Q_OBJECT
public:
    CRetrieveDlg(CQ06KaoCgEditView& owner, document::IMessageDialog& messages);

    // One search step with the dialog's text and direction.
    void FindNext();

    QString SearchText() const;
    void SetSearchText(const QString& text);
    SearchDirection Direction() const;
    void SetDirection(SearchDirection direction);

private:
    CQ06KaoCgEditView& m_owner;
    document::IMessageDialog& m_messages;
    QLineEdit* m_text = nullptr;
    QRadioButton* m_up = nullptr;
    QRadioButton* m_down = nullptr;
    QPushButton* m_findNext = nullptr;
    QPushButton* m_cancel = nullptr;
};

}  // namespace ui
