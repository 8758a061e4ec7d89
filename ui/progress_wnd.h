#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QProgressBar;

namespace ui {

// The small modeless window that shows a text and a bar while long work runs on the user
// interface thread. Only one exists at a time; closing it destroys it.
class CProgressWnd : public QDialog {
    Q_OBJECT

public:
    // Opens a window over `parent` with a bar of `steps` steps. While one is open already,
    // that one is brought forward and returned unchanged (its text and range stay).
    static CProgressWnd* Open(QWidget* parent, const QString& text, int steps);
    // The open window, or null.
    static CProgressWnd* Find();

    // Advances the bar by one and repaints at once, as the caller does not return to the
    // event loop between steps.
    void Step();

    QString Text() const;
    int Position() const;
    int Maximum() const;

    // Escape does not end the work this window reports on.
    void reject() override {}

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    explicit CProgressWnd(QWidget* parent);
    void CentreOverParent();
    void ShowNow();

    QLabel* m_text;
    QProgressBar* m_bar;
    // Set by a close request: the window waits hidden for its deferred deletion and must not
    // come back with the next step.
    bool m_closed = false;
};

}  // namespace ui
