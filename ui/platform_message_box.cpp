#include "ui/platform_message_box.h"

#include <QApplication>
#include <QMessageBox>

#include "ui/wide_text.h"

namespace ui {

void PlatformMessageBox::Show(std::wstring_view text) {
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(), ToQString(text),
                    QMessageBox::Ok, m_parent);
    box.exec();
}

}  // namespace ui
