#include "ui/open_file_chooser.h"

#include <QFileDialog>

namespace ui {

std::optional<QString> FileDialogChooser::Choose(QWidget* parent, const QString& folder,
                                                 const QStringList& filters) {
    const QString path =
        QFileDialog::getOpenFileName(parent, QString(), folder, filters.join(QStringLiteral(";;")));
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

}  // namespace ui
