#include "ui/bmp_cut_dlg.h"

#include <QPushButton>
#include <QResizeEvent>
#include <QScrollBar>
#include <algorithm>

#include "ui/crop_scale.h"
#include "ui/crop_view.h"
#include "ui/dib_image.h"
#include "ui/fonts.h"

namespace ui {

namespace {

constexpr int kMinimumWidth = 360;
constexpr int kMinimumHeight = 300;
// The client area right of the view holds the buttons, the strip below it the horizontal bar.
constexpr int kButtonColumn = 120;
constexpr int kBottomStrip = 24;
constexpr int kBarThickness = 16;

// Fits the whole picture when the screen allows.
QSize InitialSize(int pictureWidth, int pictureHeight) {
    return QSize(std::clamp(pictureWidth + kButtonColumn, kMinimumWidth, 1000),
                 std::clamp(pictureHeight + kBottomStrip, kMinimumHeight, 720));
}

QPushButton* MakeButton(const QString& text, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setFont(NormalFont());
    return button;
}

}  // namespace

CBMPCutDlg::CBMPCutDlg(const picture::CDIB& source, int targetWidth, int targetHeight,
                       picture::CDIB& target, QWidget* parent)
    : CGameDlg(parent),
      m_source(source),
      m_target(target),
      m_selection(source.Width(), source.Height(), targetWidth, targetHeight) {
    setWindowTitle(QStringLiteral("選擇範圍"));
    QImage picture = DibToImage(source, DibAlpha::kIgnore).convertToFormat(QImage::Format_RGB32);
    m_view = new CropView(picture, m_selection, this);
    m_horizontal = new QScrollBar(Qt::Horizontal, this);
    m_vertical = new QScrollBar(Qt::Vertical, this);
    m_ok = MakeButton(QStringLiteral("決定"), this);
    m_ok->setDefault(true);
    m_cancel = MakeButton(QStringLiteral("中止"), this);
    connect(m_ok, &QPushButton::clicked, this, &CBMPCutDlg::accept);
    connect(m_cancel, &QPushButton::clicked, this, &CBMPCutDlg::reject);
    const auto scrolled = [this] { m_view->SetScroll(m_horizontal->value(), m_vertical->value()); };
    connect(m_horizontal, &QScrollBar::valueChanged, this, scrolled);
    connect(m_vertical, &QScrollBar::valueChanged, this, scrolled);
    setMinimumSize(kMinimumWidth, kMinimumHeight);
    resize(InitialSize(source.Width(), source.Height()));
}

CBMPCutDlg::~CBMPCutDlg() = default;

const CGameDlg::LayoutRecord* CBMPCutDlg::LayoutTable() const {
    // The controls follow the window's size, so LayOut places them itself.
    static const LayoutRecord table[] = {{kEndOfTable, 0, 0, 0, 0}};
    return table;
}

void CBMPCutDlg::LayOut() {
    const QRect client = rect();
    const QRect view(client.left(), client.top(), client.width() - kButtonColumn,
                     client.height() - kBottomStrip);
    m_view->setGeometry(view);
    const int buttonX = client.right() + 1 - 88;
    m_ok->setGeometry(buttonX, client.top() + 16, 80, 24);
    m_cancel->setGeometry(buttonX, client.top() + 56, 80, 24);
    m_vertical->setGeometry(view.right() + 1, view.top(), kBarThickness, view.height());
    m_horizontal->setGeometry(view.left(), view.bottom() + 1, view.width(), kBarThickness);
    SetUpBar(m_horizontal, m_selection.PictureWidth(), view.width());
    SetUpBar(m_vertical, m_selection.PictureHeight(), view.height());
    update();
}

void CBMPCutDlg::SetUpBar(QScrollBar* bar, int pictureExtent, int viewExtent) {
    const int limit = std::max(0, pictureExtent - viewExtent);
    bar->setRange(0, limit);
    bar->setSingleStep(1);
    bar->setPageStep(std::max(1, viewExtent / 4));
    bar->setValue(0);
    bar->setEnabled(limit > 0);
}

void CBMPCutDlg::resizeEvent(QResizeEvent* event) {
    CGameDlg::resizeEvent(event);
    LayOut();
}

// The target changes only here, so that cancelling leaves it as it was.
void CBMPCutDlg::accept() {
    const CropSelection& s = m_selection;
    std::optional<picture::CDIB> scaled = ScaleRegion(
        m_source, s.Left(), s.Top(), s.Width(), s.Height(), s.TargetWidth(), s.TargetHeight());
    if (!scaled)
        return;
    m_target = std::move(*scaled);
    CGameDlg::accept();
}

}  // namespace ui
