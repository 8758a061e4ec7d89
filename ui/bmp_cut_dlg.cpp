#include "ui/bmp_cut_dlg.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <algorithm>

#include "picture/face_scale.h"
#include "picture/orientation.h"
#include "ui/crop_preferences.h"
#include "ui/crop_view.h"
#include "ui/fonts.h"

namespace ui {

namespace {

constexpr int kMinimumWidth = 360;
constexpr int kMinimumHeight = 300;
// The client area right of the view holds the buttons, the strip below it the horizontal bar.
constexpr int kButtonColumn = 120;
constexpr int kBottomStrip = 24;
constexpr int kBarThickness = 16;
// Tenths of the screen's available area the dialog may take when it opens.
constexpr int kScreenShareTenths = 9;

QPushButton* MakeButton(const QString& text, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setFont(NormalFont());
    return button;
}

// A click on a side control leaves the keyboard with the view, where the arrow keys and the
// zoom keys act; Tab still reaches the control.
template <typename Control>
Control* KeepingFocusOnTheView(Control* control) {
    control->setFocusPolicy(Qt::TabFocus);
    return control;
}

picture::CropSelection CentredSelection(const picture::CDIB& picture, int targetWidth,
                                        int targetHeight) {
    picture::CropSelection selection(picture.Width(), picture.Height(), targetWidth, targetHeight);
    const picture::FaceFrame frame =
        picture::CentredFaceFrame(picture.Width(), picture.Height(), targetWidth, targetHeight);
    selection.Place(frame.left, frame.top, frame.width, frame.height);
    return selection;
}

QRect AvailableArea(const QWidget* widget) {
    const QScreen* screen = widget->screen();
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 800, 600);
}

}  // namespace

CBMPCutDlg::CBMPCutDlg(const picture::CDIB& source, int targetWidth, int targetHeight,
                       picture::CDIB& target, QWidget* parent)
    : CGameDlg(parent),
      m_source(source),
      m_target(target),
      m_targetWidth(targetWidth),
      m_targetHeight(targetHeight),
      m_selection(CentredSelection(source, targetWidth, targetHeight)) {
    setWindowTitle(QStringLiteral("選擇範圍"));
    CreateControls();
    CreateShortcuts();
    const QRect available = AvailableArea(this);
    setMinimumSize(std::min(kMinimumWidth, available.width()),
                   std::min(kMinimumHeight, available.height()));
    const QSize wanted(source.Width() + kButtonColumn + kBarThickness,
                       source.Height() + kBottomStrip);
    resize(wanted.boundedTo(OpeningSize(available)).expandedTo(minimumSize()));
    ShowZoomAndSize();
}

CBMPCutDlg::~CBMPCutDlg() = default;

QSize CBMPCutDlg::OpeningSize(const QRect& available) {
    return QSize(available.width() * kScreenShareTenths / 10,
                 available.height() * kScreenShareTenths / 10);
}

void CBMPCutDlg::CreateControls() {
    m_view = new CropView(m_source, m_selection, this);
    m_horizontal = new QScrollBar(Qt::Horizontal, this);
    m_vertical = new QScrollBar(Qt::Vertical, this);
    m_ok = MakeButton(QStringLiteral("決定"), this);
    m_ok->setDefault(true);
    m_cancel = MakeButton(QStringLiteral("中止"), this);
    m_nextFace = KeepingFocusOnTheView(MakeButton(QStringLiteral("下一張臉"), this));
    m_nextFace->hide();
    m_turnLeft = KeepingFocusOnTheView(MakeButton(QStringLiteral("向左旋轉"), this));
    m_turnRight = KeepingFocusOnTheView(MakeButton(QStringLiteral("向右旋轉"), this));
    m_nearest = KeepingFocusOnTheView(new QCheckBox(QStringLiteral("最近點縮放"), this));
    m_nearest->setFont(NormalFont());
    m_nearest->setChecked(ReadNearestScaling());
    m_zoomLabel = new QLabel(this);
    m_zoomLabel->setFont(NormalFont());
    m_sizeLabel = new QLabel(this);
    m_sizeLabel->setFont(NormalFont());
    m_sizeLabel->setWordWrap(true);
    connect(m_ok, &QPushButton::clicked, this, &CBMPCutDlg::accept);
    connect(m_cancel, &QPushButton::clicked, this, &CBMPCutDlg::reject);
    connect(m_nextFace, &QPushButton::clicked, this, &CBMPCutDlg::ShowNextFace);
    connect(m_turnLeft, &QPushButton::clicked, this, [this] { Turn(-1); });
    connect(m_turnRight, &QPushButton::clicked, this, [this] { Turn(1); });
    connect(m_nearest, &QCheckBox::toggled, this, [](bool on) { WriteNearestScaling(on); });
    const auto scrolled = [this] {
        if (!m_syncingBars)
            m_view->SetScroll(m_horizontal->value(), m_vertical->value());
    };
    connect(m_horizontal, &QScrollBar::valueChanged, this, scrolled);
    connect(m_vertical, &QScrollBar::valueChanged, this, scrolled);
    connect(m_view, &CropView::ViewChanged, this, [this] {
        SyncBars();
        ShowZoomAndSize();
    });
    connect(m_view, &CropView::SelectionChanged, this, &CBMPCutDlg::ShowZoomAndSize);
    m_view->setFocus();
}

void CBMPCutDlg::CreateShortcuts() {
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_L), this), &QShortcut::activated, this,
            [this] { Turn(-1); });
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_R), this), &QShortcut::activated, this,
            [this] { Turn(1); });
}

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
    m_nextFace->setGeometry(buttonX, client.top() + 96, 80, 24);
    m_turnLeft->setGeometry(buttonX, client.top() + 130, 80, 24);
    m_turnRight->setGeometry(buttonX, client.top() + 160, 80, 24);
    // The column beside the vertical bar is narrow; the check box's text needs all of it.
    const int labelX = view.right() + 1 + kBarThickness + 2;
    const int labelWidth = client.right() + 1 - labelX;
    m_nearest->setGeometry(labelX, client.top() + 192, labelWidth, 22);
    m_zoomLabel->setGeometry(labelX, client.top() + 218, labelWidth, 20);
    m_sizeLabel->setGeometry(labelX, client.top() + 240, labelWidth, 40);
    m_vertical->setGeometry(view.right() + 1, view.top(), kBarThickness, view.height());
    m_horizontal->setGeometry(view.left(), view.bottom() + 1, view.width(), kBarThickness);
    SyncBars();
    update();
}

// The bars show the view's scroll position; while they are set, their signals must not
// scroll the view back to a half-set position.
void CBMPCutDlg::SyncBars() {
    const picture::CropZoom& zoom = m_view->Zoom();
    m_syncingBars = true;
    SetUpBar(m_horizontal, zoom.ScrollLimitX(), zoom.ScrollX(), zoom.ViewWidth());
    SetUpBar(m_vertical, zoom.ScrollLimitY(), zoom.ScrollY(), zoom.ViewHeight());
    m_syncingBars = false;
}

void CBMPCutDlg::SetUpBar(QScrollBar* bar, int limit, int value, int viewExtent) {
    bar->setRange(0, limit);
    bar->setSingleStep(std::max(1, viewExtent / 10));
    bar->setPageStep(std::max(1, viewExtent / 4));
    bar->setValue(value);
    bar->setEnabled(limit > 0);
}

void CBMPCutDlg::ShowZoomAndSize() {
    m_zoomLabel->setText(QStringLiteral("縮放：%1%").arg(m_view->Zoom().ZoomPercent()));
    m_sizeLabel->setText(QStringLiteral("%1 x %2 → %3 x %4")
                             .arg(m_selection.Width())
                             .arg(m_selection.Height())
                             .arg(m_targetWidth)
                             .arg(m_targetHeight));
}

void CBMPCutDlg::resizeEvent(QResizeEvent* event) {
    CGameDlg::resizeEvent(event);
    LayOut();
}

const picture::CDIB& CBMPCutDlg::Picture() const {
    return m_turned ? *m_turned : m_source;
}

void CBMPCutDlg::SetFrame(const picture::FaceFrame& frame) {
    m_selection.Place(frame.left, frame.top, frame.width, frame.height);
    m_view->update();
    ShowZoomAndSize();
}

void CBMPCutDlg::SetProposedFrames(std::vector<picture::FaceFrame> frames) {
    m_proposals = std::move(frames);
    m_proposal = 0;
    if (!m_proposals.empty())
        SetFrame(m_proposals.front());
    m_nextFace->setVisible(m_proposals.size() >= 2);
}

void CBMPCutDlg::ShowNextFace() {
    if (m_proposals.size() < 2)
        return;
    m_proposal = (m_proposal + 1) % m_proposals.size();
    SetFrame(m_proposals[m_proposal]);
}

picture::FaceFrame CBMPCutDlg::Frame() const {
    return {m_selection.Left(), m_selection.Top(), m_selection.Width(), m_selection.Height()};
}

// Each turn is made from the picture as given, so turning back and forth adds no error, and
// the old turned copy goes first, so that at most one is held beside it. Short of memory, the
// picture as given is shown.
void CBMPCutDlg::Turn(int quarterTurnsClockwise) {
    const int turns = ((m_quarterTurns + quarterTurnsClockwise) % 4 + 4) % 4;
    m_turned.reset();
    m_quarterTurns = 0;
    if (turns != 0) {
        m_turned = picture::RotateQuarterTurns(m_source, turns);
        if (m_turned)
            m_quarterTurns = turns;
    }
    m_proposals.clear();
    m_nextFace->hide();
    m_selection = CentredSelection(Picture(), m_targetWidth, m_targetHeight);
    m_view->SetPicture(Picture(), m_selection);
}

std::optional<picture::CDIB> CBMPCutDlg::TakeTurnedPicture() {
    std::optional<picture::CDIB> turned = std::move(m_turned);
    m_turned.reset();
    return turned;
}

// The target changes only here, so that cancelling leaves it as it was.
void CBMPCutDlg::accept() {
    const picture::CropSelection& s = m_selection;
    const picture::FaceScaling scaling =
        m_nearest->isChecked() ? picture::FaceScaling::Nearest : picture::FaceScaling::AreaAverage;
    std::optional<picture::CDIB> scaled =
        picture::ScaleCropToFace(Picture(), s.Left(), s.Top(), s.Width(), s.Height(), m_targetWidth,
                                 m_targetHeight, scaling);
    if (!scaled)
        return;
    m_target = std::move(*scaled);
    CGameDlg::accept();
}

}  // namespace ui
