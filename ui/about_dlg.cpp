#include "ui/about_dlg.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "ui/editor_look.h"
#include "ui/fonts.h"

namespace ui {
namespace {

constexpr int kIconSize = 32;

}  // namespace

CAboutDlg::CAboutDlg(QWidget* parent)
    : QDialog(parent),
      m_title(new QLabel(QStringLiteral("『Quorvane』 容貌變更編輯器 Version 1.11"), this)),
      m_rights(new QLabel(QStringLiteral("Copyright (C) TAVU All rights reserved."), this)) {
    setWindowTitle(QStringLiteral("版本資訊『Quorvane』容貌變更編輯器"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFont(NormalFont());

    auto* icon = new QLabel(this);
    icon->setPixmap(EditorIcon().pixmap(kIconSize, kIconSize));
    auto* ok = new QPushButton(QStringLiteral("確定"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(16, 16, 16, 16);
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(8);
    grid->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(m_title, 0, 1);
    grid->addWidget(m_rights, 1, 1);
    grid->addWidget(ok, 0, 2, Qt::AlignTop);
    grid->setSizeConstraint(QLayout::SetFixedSize);
}

QString CAboutDlg::TitleLine() const {
    return m_title->text();
}

QString CAboutDlg::RightsLine() const {
    return m_rights->text();
}

}  // namespace ui
