#pragma once

#include <QPointer>
#include <QWidget>

#include "document/feedback.h"

namespace ui {

class CProgressWnd;

// The document's progress reports shown in the progress window. It holds the window while
// it is open; the user may close it meanwhile, after which steps go nowhere.
class ProgressWindowAdapter : public document::IProgressWindow {
public:
    explicit ProgressWindowAdapter(QWidget* parent = nullptr);
    ~ProgressWindowAdapter() override;
    ProgressWindowAdapter(const ProgressWindowAdapter&) = delete;
    ProgressWindowAdapter& operator=(const ProgressWindowAdapter&) = delete;

    void SetParent(QWidget* parent) { m_parent = parent; }
    CProgressWnd* Window() const;

    void Open(std::wstring_view text, int range) override;
    void Step() override;
    void Close() override;

private:
    QPointer<QWidget> m_parent;
    QPointer<CProgressWnd> m_window;
};

}  // namespace ui
