#pragma once

#include <QPointer>
#include <QWidget>

#include "document/feedback.h"

namespace ui {

// The document's questions and notices, each answered by a modal CMessageDlg.
class MessageDialogAdapter : public document::IMessageDialog {
public:
    explicit MessageDialogAdapter(QWidget* parent = nullptr) : m_parent(parent) {}
    // The window the dialogs centre on (the main window, once it exists).
    void SetParent(QWidget* parent) { m_parent = parent; }

    int Show(std::wstring_view text, int kind) override;
    int ShowWithCheckBox(std::wstring_view text, int kind, bool& checked) override;
    int AskDiscard(std::wstring_view text, const picture::CDIB* picture) override;

private:
    QPointer<QWidget> m_parent;
};

}  // namespace ui
