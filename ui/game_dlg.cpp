#include "ui/game_dlg.h"

#include <QEvent>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QToolTip>

namespace ui {

CGameDlg::CGameDlg(QWidget* parent) : QDialog(parent) {
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

QWidget* CGameDlg::Control(int id) const {
    const auto it = m_controls.find(id);
    return it == m_controls.end() ? nullptr : it->second;
}

void CGameDlg::SetOuterSize(int width, int height) {
    m_outerWidth = width;
    m_outerHeight = height;
}

void CGameDlg::AddControl(int id, QWidget* control) {
    m_controls[id] = control;
}

// Initialised before the first show, so that the dialog is centred on its parent with the
// size the layout gives it.
void CGameDlg::setVisible(bool visible) {
    if (visible && !m_initialised) {
        m_initialised = true;
        Initialise();
    }
    QDialog::setVisible(visible);
}

void CGameDlg::Initialise() {
    ensurePolished();
    if (WantsToolTips()) {
        for (const LayoutRecord* record = LayoutTable(); record && record->id != kEndOfTable;
             ++record) {
            if (QWidget* control = Control(record->id))
                control->installEventFilter(this);
        }
    }
    LayOut();
}

void CGameDlg::accept() {
    if (isModal() && !TakeControlData())
        return;
    QDialog::accept();
}

// Qt places children in client coordinates, below the frame the window manager draws, so
// the table needs no allowance for a caption or borders.
void CGameDlg::LayOut() {
    for (const LayoutRecord* record = LayoutTable(); record && record->id != kEndOfTable;
         ++record) {
        QWidget* control = Control(record->id);
        if (!control)
            continue;
        control->setGeometry(
            AdjustRect(record->id, QRect(record->x, record->y, record->width, record->height)));
    }
    setFixedSize(m_outerWidth, m_outerHeight);
    update();
}

QRect CGameDlg::AdjustRect(int, const QRect& rect) const {
    return rect;
}

QString CGameDlg::ToolTipText(int) const {
    return {};
}

void CGameDlg::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange && windowState() == Qt::WindowNoState &&
        m_initialised) {
        LayOut();
    } else if (event->type() == QEvent::ActivationChange && !isActiveWindow()) {
        EndDrag();
    }
    QDialog::changeEvent(event);
}

void CGameDlg::hideEvent(QHideEvent* event) {
    EndDrag();
    QDialog::hideEvent(event);
}

void CGameDlg::mousePressEvent(QMouseEvent* event) {
    if (event->buttons() != Qt::LeftButton || event->modifiers() != Qt::NoModifier || m_dragging) {
        QDialog::mousePressEvent(event);
        return;
    }
    m_dragging = true;
    m_dragStartCursor = event->globalPosition().toPoint();
    m_dragStartWindow = pos();
    grabMouse();
}

void CGameDlg::mouseMoveEvent(QMouseEvent* event) {
    if (!m_dragging) {
        QDialog::mouseMoveEvent(event);
        return;
    }
    move(m_dragStartWindow + (event->globalPosition().toPoint() - m_dragStartCursor));
}

void CGameDlg::mouseReleaseEvent(QMouseEvent* event) {
    if (m_dragging && event->button() == Qt::LeftButton) {
        EndDrag();
        return;
    }
    QDialog::mouseReleaseEvent(event);
}

void CGameDlg::EndDrag() {
    if (!m_dragging)
        return;
    m_dragging = false;
    releaseMouse();
}

bool CGameDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ToolTip)
        return QDialog::eventFilter(watched, event);
    for (const auto& [id, control] : m_controls) {
        if (control != watched)
            continue;
        const QString text = ToolTipText(id);
        if (text.isEmpty()) {
            QToolTip::hideText();
        } else {
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text, control);
        }
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace ui
