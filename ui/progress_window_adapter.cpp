#include "ui/progress_window_adapter.h"

#include "ui/progress_wnd.h"
#include "ui/wide_text.h"

namespace ui {

ProgressWindowAdapter::ProgressWindowAdapter(QWidget* parent) : m_parent(parent) {}

ProgressWindowAdapter::~ProgressWindowAdapter() {
    Close();
}

CProgressWnd* ProgressWindowAdapter::Window() const {
    return m_window;
}

void ProgressWindowAdapter::Open(std::wstring_view text, int range) {
    m_window = CProgressWnd::Open(m_parent, ToQString(text), range);
}

void ProgressWindowAdapter::Step() {
    if (m_window)
        m_window->Step();
}

void ProgressWindowAdapter::Close() {
    if (m_window)
        m_window->close();
    m_window = nullptr;
}

}  // namespace ui
