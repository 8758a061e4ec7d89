#include "ui/kao_select_dlg.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>

#include "document/game_environment.h"
#include "document/overwrite_guard.h"
#include "kaocg/face_image_transfer.h"
#include "kaocg/face_number_map.h"
#include "resources/string_table.h"
#include "ui/fonts.h"
#include "ui/guide_message.h"
#include "ui/kao_select_kinds.h"
#include "ui/kao_select_list.h"
#include "ui/wide_text.h"

namespace ui {

CKaoSelectDlg::CKaoSelectDlg(document::CQ06KaoCgEditDoc& doc, int mode,
                             document::IMessageDialog& dialog, QWidget* parent)
    : QDialog(parent), m_doc(doc), m_mode(mode), m_dialog(dialog) {
    setObjectName(QStringLiteral("kaoSelectDialog"));
    setModal(true);
    setWindowTitle(mode == kModeRegister ? QStringLiteral("登錄容貌ＣＧ")
                                         : QStringLiteral("選擇容貌ＣＧ"));
    BuildLayout();
    FillKinds();
    BuildList();
    m_ok->setEnabled(false);

    connect(m_kinds, &QComboBox::currentIndexChanged, this, &CKaoSelectDlg::OnKindChanged);
    // A single click re-checks "確定" too, so the button never lags behind the selection.
    connect(m_faces, &QListWidget::itemSelectionChanged, this, &CKaoSelectDlg::UpdateOkButton);
    connect(m_faces, &QListWidget::itemDoubleClicked, this, &CKaoSelectDlg::UpdateOkButton);
    connect(m_ok, &QPushButton::clicked, this, &CKaoSelectDlg::OnOk);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CKaoSelectDlg::BuildLayout() {
    setFont(NormalFont());
    auto* label = new QLabel(QStringLiteral("容貌ＣＧ種類"), this);
    m_kinds = new QComboBox(this);
    m_kinds->setObjectName(QStringLiteral("faceKind"));
    label->setBuddy(m_kinds);

    m_faces = new QListWidget(this);
    m_faces->setObjectName(QStringLiteral("faceList"));
    m_faces->setViewMode(QListView::IconMode);
    m_faces->setMovement(QListView::Static);
    m_faces->setResizeMode(QListView::Adjust);
    m_faces->setSelectionMode(QAbstractItemView::SingleSelection);
    const int side = document::ThumbnailList::kSide;
    m_faces->setIconSize(QSize(side, side));
    m_faces->setGridSize(QSize(side + 52, side + 30));
    m_faces->setMinimumSize(700, 400);

    m_ok = new QPushButton(QStringLiteral("確定"), this);
    m_ok->setObjectName(QStringLiteral("ok"));
    m_ok->setDefault(true);
    m_cancel = new QPushButton(QStringLiteral("中止"), this);
    m_cancel->setObjectName(QStringLiteral("cancel"));

    auto* top = new QHBoxLayout;
    top->addWidget(label);
    top->addWidget(m_kinds, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_faces, 1);
    layout->addLayout(buttons);
}

void CKaoSelectDlg::FillKinds() {
    const bool registering = m_mode == kModeRegister;
    for (int kind : OfferedKinds(m_doc.Edition(), registering))
        m_kinds->addItem(ToQString(KindOf(m_doc.Edition(), kind).label), kind);
    int position = registering ? 0 : m_doc.SelectKindPosition();
    if (position < 0 || position >= m_kinds->count())
        position = 0;
    m_kinds->setCurrentIndex(position);
}

void CKaoSelectDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_mode != kModeRegister || m_guideShown)
        return;
    m_guideShown = true;
    // Queued, so that the guide opens over the dialog rather than before it appears.
    QTimer::singleShot(0, this, [this] {
        ShowGuideMessage(m_doc.Platform().GetRegistry(), game::kGuideFlagRegister,
                         resources::LoadString(resources::IDS_REGISTER_GUIDE), m_dialog);
    });
}

void CKaoSelectDlg::OnKindChanged(int position) {
    // Register mode offers other entries at the same positions; remembering them there would
    // open the change dialog on an unrelated kind.
    if (m_mode != kModeRegister)
        m_doc.SelectKindPosition() = position;
    BuildList();
    UpdateOkButton();
}

void CKaoSelectDlg::BuildList() {
    FillFaceList(*m_faces, m_doc, CurrentKind());
}

int CKaoSelectDlg::CurrentKind() const {
    return m_kinds->currentData().toInt();
}

int CKaoSelectDlg::SelectedRow() const {
    for (int row = m_faces->count() - 1; row >= 0; --row) {
        if (m_faces->item(row)->isSelected())
            return row;
    }
    return -1;
}

void CKaoSelectDlg::UpdateOkButton() {
    const int row = SelectedRow();
    const int kind = CurrentKind();
    const std::int32_t number = AnsweredFaceNumber(m_doc.Edition(), kind, row);
    bool enable = row >= 0 && number < kFirstUnselectableNumber;
    if (enable && m_mode != kModeRegister && kind >= kFirstEditKind) {
        const document::AppSettings& settings = m_doc.Settings();
        const std::int32_t largeId =
            kaocg_func::FaceCgIdOf(m_doc.Edition(), number, kaocg_func::kSizeLarge);
        enable = kaocg_func::IsFaceImagePresent(m_doc.Faces().archives, largeId,
                                                settings.stockDataFolder, settings.editDataFolder);
    }
    m_ok->setEnabled(enable);
}

void CKaoSelectDlg::OnOk() {
    const int row = SelectedRow();
    if (row < 0)
        return;
    const std::int32_t number = AnsweredFaceNumber(m_doc.Edition(), CurrentKind(), row);
    // Asked here, before the guide says the picture is registered; "否" leaves the dialog open
    // for another slot.
    if (m_mode == kModeRegister && !document::ConfirmOverwrite(m_doc, number))
        return;
    m_selectedFaceNumber = number;
    if (m_mode == kModeRegister) {
        ShowGuideMessage(m_doc.Platform().GetRegistry(), game::kGuideFlagRegistered,
                         resources::LoadString(resources::IDS_REGISTERED_GUIDE), m_dialog);
    }
    accept();
}

}  // namespace ui
