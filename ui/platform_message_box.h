#pragma once

#include <QPointer>
#include <QWidget>

#include "document/feedback.h"

namespace ui {

// The platform message box with only an OK button, for fatal errors.
class PlatformMessageBox : public document::IMessageBox {
public:
    explicit PlatformMessageBox(QWidget* parent = nullptr) : m_parent(parent) {}
    void SetParent(QWidget* parent) { m_parent = parent; }

    void Show(std::wstring_view text) override;

private:
    QPointer<QWidget> m_parent;
};

}  // namespace ui
