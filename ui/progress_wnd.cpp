#include "ui/progress_wnd.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>

#include "ui/fonts.h"

namespace ui {
namespace {

constexpr int kWidth = 360;
constexpr int kHeight = 96;
constexpr int kMargin = 16;
constexpr int kTextHeight = 24;
constexpr int kBarHeight = 20;

}  // namespace

CProgressWnd::CProgressWnd(QWidget* parent)
    : QDialog(parent),
      m_text(new QLabel(QStringLiteral("請稍待片刻"), this)),
      m_bar(new QProgressBar(this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFont(NormalFont());
    m_text->setAlignment(Qt::AlignCenter);
    m_text->setGeometry(kMargin, kMargin, kWidth - 2 * kMargin, kTextHeight);
    m_bar->setTextVisible(false);
    m_bar->setGeometry(kMargin, kMargin + kTextHeight + 12, kWidth - 2 * kMargin, kBarHeight);
    setFixedSize(kWidth, kHeight);
}

CProgressWnd* CProgressWnd::Find() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* progress = qobject_cast<CProgressWnd*>(window);
        if (progress && !progress->m_closed)
            return progress;
    }
    return nullptr;
}

CProgressWnd* CProgressWnd::Open(QWidget* parent, const QString& text, int steps) {
    if (CProgressWnd* open = Find()) {
        if (open->isMinimized())
            open->showNormal();
        open->raise();
        open->activateWindow();
        return open;
    }
    auto* window = new CProgressWnd(parent);
    window->m_text->setText(text);
    window->m_bar->setRange(0, steps);
    window->m_bar->setValue(0);
    window->ShowNow();
    return window;
}

void CProgressWnd::Step() {
    if (m_closed)
        return;
    m_bar->setValue(m_bar->value() + 1);
    ShowNow();
}

void CProgressWnd::ShowNow() {
    show();
    activateWindow();
    // The window needs the event loop to be mapped and exposed; user input stays queued so
    // that nothing else runs in the middle of the work.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    repaint();
}

QString CProgressWnd::Text() const {
    return m_text->text();
}

int CProgressWnd::Position() const {
    return m_bar->value();
}

int CProgressWnd::Maximum() const {
    return m_bar->maximum();
}

void CProgressWnd::showEvent(QShowEvent* event) {
    CentreOverParent();
    QDialog::showEvent(event);
}

void CProgressWnd::CentreOverParent() {
    QRect area;
    if (QWidget* parent = parentWidget()) {
        area = parent->window()->frameGeometry();
    } else if (QScreen* screen = QGuiApplication::primaryScreen()) {
        area = screen->availableGeometry();
    }
    if (!area.isValid())
        return;
    QRect frame = frameGeometry();
    frame.moveCenter(area.center());
    move(frame.topLeft());
}

void CProgressWnd::closeEvent(QCloseEvent* event) {
    m_closed = true;
    event->accept();
}

}  // namespace ui
