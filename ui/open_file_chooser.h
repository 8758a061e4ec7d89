#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

namespace ui {

// Asks the user for one existing file to open. Kept behind an interface so that tests can
// answer it without a real file dialog.
class IOpenFileChooser {
public:
    virtual ~IOpenFileChooser() = default;
    // The chosen file's full path; nothing when the user cancels. `filters` are Qt name
    // filters such as "BMP Files(*.bmp)"; the first is selected.
    virtual std::optional<QString> Choose(QWidget* parent, const QString& folder,
                                          const QStringList& filters) = 0;
};

// Qt's open-file dialog with a preview of the picture under the cursor. Asked without a folder
// it opens where the last file was chosen, so that the next face starts beside the last one.
class FileDialogChooser : public IOpenFileChooser {
public:
    std::optional<QString> Choose(QWidget* parent, const QString& folder,
                                  const QStringList& filters) override;

private:
    QString m_lastFolder;
};

}  // namespace ui
