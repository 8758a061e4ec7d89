#pragma once

#include <QDialog>

class QLabel;

namespace ui {

// The About box: the application icon, the editor's title and version, the rights notice.
class CAboutDlg : public QDialog {
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget* parent = nullptr);

    QString TitleLine() const;
    QString RightsLine() const;

private:
    QLabel* m_title;
    QLabel* m_rights;
};

}  // namespace ui
