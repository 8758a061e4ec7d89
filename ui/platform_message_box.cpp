#include "ui/platform_message_box.h"

#include <QMessageBox>

#include "resources/menu.h"
#include "ui/wide_text.h"

namespace ui {

void PlatformMessageBox::Show(std::wstring_view text) {
    // Titled like the main window, so that a start-up failure says which program it is from.
    QMessageBox box(QMessageBox::NoIcon, ToQString(resources::kMainWindowTitle), ToQString(text),
                    QMessageBox::Ok, m_parent);
    box.exec();
}

}  // namespace ui
