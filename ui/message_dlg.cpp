#include "ui/message_dlg.h"

#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <algorithm>
#include <array>

#include "ui/fonts.h"
#include "ui/wide_text.h"

namespace ui {
namespace {

struct ButtonSet {
    std::vector<const char*> labels;  // UTF-8
    int firstResult;                  // the buttons' results count up from here
};

const std::array<ButtonSet, 4> kButtonSets{{
    {{"確認"}, 0},
    {{"是", "否"}, 1},
    {{"以別名儲存", "覆蓋儲存", "中止"}, 3},
    {{"別名", "全部別名", "覆蓋", "全部覆蓋", "中止"}, 6},
}};

constexpr int kTopMargin = 8;
constexpr int kSideMargin = 16;
constexpr int kGap = 12;
constexpr int kCheckBoxGap = 8;
constexpr int kBottomMargin = 12;
constexpr int kButtonWidth = 96;
constexpr int kButtonHeight = 32;
constexpr int kButtonPitch = 104;

const ButtonSet& SetOf(int kind) {
    return kButtonSets[static_cast<std::size_t>(kind)];
}

}  // namespace

CMessageDlg::CMessageDlg(int kind, const QString& text, bool offerCheckBox, QWidget* parent)
    : CGameDlg(parent),
      m_kind(kind >= 0 && kind < static_cast<int>(kButtonSets.size()) ? kind : 0),
      m_offerCheckBox(offerCheckBox),
      m_text(new QLabel(text, this)),
      m_checkBox(new QCheckBox(QStringLiteral("今後不顯示此訊息。"), this)) {
    setWindowTitle(QStringLiteral("確定"));
    setFont(NormalFont());
    m_text->setTextFormat(Qt::PlainText);
    m_text->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    const ButtonSet& set = SetOf(m_kind);
    for (std::size_t i = 0; i < set.labels.size(); ++i) {
        auto* button = new QPushButton(QString::fromUtf8(set.labels[i]), this);
        const int result = set.firstResult + static_cast<int>(i);
        connect(button, &QPushButton::clicked, this, [this, result] {
            m_checked = m_checkBox->isChecked();
            done(result);
        });
        m_buttons.push_back(button);
    }
    // Enter answers with the button that has the focus, which is the first one until the
    // user moves it; a check box with the focus leaves Enter to the first button.
    m_buttons.front()->setDefault(true);
    m_buttons.front()->setFocus();
}

CMessageDlg::CMessageDlg(int kind, int textId, bool offerCheckBox, QWidget* parent)
    : CMessageDlg(kind, LoadQString(textId), offerCheckBox, parent) {}

void CMessageDlg::SetDefaultToLast() {
    m_defaultLast = true;
    m_buttons.front()->setDefault(false);
    m_buttons.back()->setDefault(true);
    m_buttons.back()->setFocus();
}

void CMessageDlg::SetPicture(const QImage& image) {
    if (m_picture == nullptr) {
        m_picture = new QLabel(this);
    }
    m_picture->setPixmap(QPixmap::fromImage(image));
}

int CMessageDlg::EnterResult() const {
    return m_defaultLast ? EscapeResult() : SetOf(m_kind).firstResult;
}

int CMessageDlg::EscapeResult() const {
    return SetOf(m_kind).firstResult + static_cast<int>(m_buttons.size()) - 1;
}

void CMessageDlg::reject() {
    done(EscapeResult());
}

const CGameDlg::LayoutRecord* CMessageDlg::LayoutTable() const {
    static constexpr LayoutRecord kNone[] = {{kEndOfTable, 0, 0, 0, 0}};
    return kNone;
}

void CMessageDlg::LayOut() {
    if (m_offerCheckBox && m_alternativeCheckText) {
        m_checkBox->setText(LoadQString(resources::IDS_DONT_SHOW_SAVE_AS));
    }
    m_checkBox->setVisible(m_offerCheckBox);
    const QSize textSize = m_text->sizeHint();
    const QSize checkSize = m_offerCheckBox ? m_checkBox->sizeHint() : QSize(0, 0);
    const int buttons = static_cast<int>(m_buttons.size());
    const int rowWidth = buttons * kButtonPitch - (kButtonPitch - kButtonWidth);

    const int width = std::max({textSize.width() + 2 * kSideMargin, rowWidth + 2 * kSideMargin,
                                checkSize.width() + 2 * kSideMargin});
    int y = kTopMargin;
    if (m_picture != nullptr) {
        const QSize pictureSize = m_picture->sizeHint();
        m_picture->setGeometry((width - pictureSize.width()) / 2, y, pictureSize.width(),
                               pictureSize.height());
        y += pictureSize.height() + kGap;
    }
    m_text->setGeometry((width - textSize.width()) / 2, y, textSize.width(), textSize.height());
    y += textSize.height() + kGap;
    if (m_offerCheckBox) {
        m_checkBox->setGeometry((width - checkSize.width()) / 2, y, checkSize.width(),
                                checkSize.height());
        y += checkSize.height() + kCheckBoxGap;
    }
    const int left = (width - rowWidth) / 2;
    for (int i = 0; i < buttons; ++i) {
        m_buttons[static_cast<std::size_t>(i)]->setGeometry(left + i * kButtonPitch, y,
                                                            kButtonWidth, kButtonHeight);
    }
    SetOuterSize(width, y + kButtonHeight + kBottomMargin);
    setFixedSize(OuterWidth(), OuterHeight());
}

}  // namespace ui
