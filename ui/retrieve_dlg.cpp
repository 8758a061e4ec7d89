#include "ui/retrieve_dlg.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <string>

#include "resources/string_table.h"
#include "ui/kao_cg_edit_view.h"

namespace ui {
namespace {

QGroupBox* MakeDirectionBox(QWidget* parent, QRadioButton*& up, QRadioButton*& down) {
    auto* box = new QGroupBox(QStringLiteral("方向"), parent);
    up = new QRadioButton(QStringLiteral("往上"), box);
    up->setObjectName(QStringLiteral("searchUp"));
    down = new QRadioButton(QStringLiteral("往下"), box);
    down->setObjectName(QStringLiteral("searchDown"));
    down->setChecked(true);
    auto* row = new QHBoxLayout(box);
    row->addWidget(up);
    row->addWidget(down);
    return box;
}

}  // namespace

CRetrieveDlg::CRetrieveDlg(CQ06KaoCgEditView& owner, document::IMessageDialog& messages)
    : QDialog(&owner), m_owner(owner), m_messages(messages) {
    setObjectName(QStringLiteral("searchDialog"));
    setWindowTitle(QStringLiteral("搜尋文字"));
    setModal(false);

    auto* label = new QLabel(QStringLiteral("搜尋文字(&N):"), this);
    m_text = new QLineEdit(this);
    m_text->setObjectName(QStringLiteral("searchText"));
    m_text->setMinimumWidth(180);
    label->setBuddy(m_text);
    m_findNext = new QPushButton(QStringLiteral("搜尋下一個(&F)"), this);
    m_findNext->setObjectName(QStringLiteral("findNext"));
    m_findNext->setDefault(true);
    m_cancel = new QPushButton(QStringLiteral("取消"), this);
    m_cancel->setObjectName(QStringLiteral("cancel"));

    auto* textRow = new QHBoxLayout;
    textRow->addWidget(label);
    textRow->addWidget(m_text, 1);
    auto* left = new QVBoxLayout;
    left->addLayout(textRow);
    left->addWidget(MakeDirectionBox(this, m_up, m_down));
    left->addStretch(1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_findNext);
    buttons->addWidget(m_cancel);
    buttons->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);

    // Enter reaches the default button, Escape rejects: both keep the dialog alive.
    connect(m_findNext, &QPushButton::clicked, this, &CRetrieveDlg::FindNext);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::hide);
}

QString CRetrieveDlg::SearchText() const {
    return m_text->text();
}

void CRetrieveDlg::SetSearchText(const QString& text) {
    m_text->setText(text);
}

SearchDirection CRetrieveDlg::Direction() const {
    return m_up->isChecked() ? SearchDirection::kUp : SearchDirection::kDown;
}

void CRetrieveDlg::SetDirection(SearchDirection direction) {
    (direction == SearchDirection::kUp ? m_up : m_down)->setChecked(true);
}

void CRetrieveDlg::FindNext() {
    const std::wstring text = m_text->text().toStdWString();
    if (text.empty()) {
        return;
    }
    const auto matches = [this, &text](int item) {
        const roster::bushou* general = m_owner.GeneralAt(item);
        return general != nullptr && general->Name().find(text) != std::wstring::npos;
    };
    const int found =
        FindNextItem(m_owner.ItemCount(), m_owner.SelectedItem(), Direction(), matches);
    if (found < 0) {
        m_messages.Show(resources::LoadString(resources::IDS_GENERAL_NOT_FOUND),
                        document::IMessageDialog::kConfirm);
        // Back to the text, so that the player can type another name at once.
        activateWindow();
        m_text->setFocus();
        m_text->selectAll();
        return;
    }
    m_owner.SelectItem(found);
}

}  // namespace ui
