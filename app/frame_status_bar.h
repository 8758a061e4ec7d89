#pragma once

#include <QStatusBar>
#include <array>

class QLabel;

namespace app {

// The main window's status bar: the message pane, which shows the highlighted menu command's
// prompt and "Ready" otherwise, then the Caps Lock, Num Lock and Scroll Lock panes.
class CFrameStatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit CFrameStatusBar(QWidget* parent = nullptr);

    // What the message pane shows now: a prompt, or the idle text.
    QString ShownText() const;
    // The lock panes in order: Caps Lock, Num Lock, Scroll Lock.
    const std::array<QLabel*, 3>& Indicators() const { return m_indicators; }

private:
    QLabel* m_idle = nullptr;
    std::array<QLabel*, 3> m_indicators{};
};

}  // namespace app
