#include "ui/message_dialog_adapter.h"

#include "picture/dib.h"
#include "ui/dib_image.h"
#include "ui/message_dlg.h"
#include "ui/wide_text.h"

namespace ui {

int MessageDialogAdapter::Show(std::wstring_view text, int kind) {
    CMessageDlg dialog(kind, ToQString(text), false, m_parent);
    return dialog.DoModal();
}

int MessageDialogAdapter::ShowWithCheckBox(std::wstring_view text, int kind, bool& checked) {
    CMessageDlg dialog(kind, ToQString(text), true, m_parent);
    const int result = dialog.DoModal();
    checked = dialog.IsChecked();
    return result;
}

}  // namespace ui

namespace ui {

int MessageDialogAdapter::AskDiscard(std::wstring_view text, const picture::CDIB* picture) {
    CMessageDlg dialog(document::IMessageDialog::kYesNo, ToQString(text), false, m_parent);
    dialog.SetDefaultToLast();
    if (picture != nullptr) {
        dialog.SetPicture(DibToImage(*picture, DibAlpha::kIgnore));
    }
    return dialog.DoModal();
}

}  // namespace ui
