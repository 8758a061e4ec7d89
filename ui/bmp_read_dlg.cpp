#include "ui/bmp_read_dlg.h"

#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <string_view>
#include <variant>

#include "ui/dib_image.h"
#include "ui/fonts.h"
#include "ui/picture_file_reader.h"

namespace ui {

namespace {

enum ControlId {
    kOk = 1,
    kCancel = 2,
    kReadLarge = 1013,
    kReadMedium = 1014,
    kReadSmall = 1015,
    kLabelSmall = 1016,
    kLabelMedium = 1017,
    kLabelLarge = 1018,
    kFrameLarge = 1019,
    kFrameMedium = 1020,
    kFrameSmall = 1021,
    kPictureLarge = 1022,
    kPictureMedium = 1023,
    kPictureSmall = 1024,
    kGroup = 1033,
    kSameLarge = 1034,
    kSameMedium = 1035,
    kSameSmall = 1036,
};

struct SizeControls {
    int width;
    int height;
    int read;
    int label;
    int frame;
    int picture;
    int same;
    const char16_t* text;
};

constexpr SizeControls kSizes[CBMPReadDlg::kSizeCount] = {
    {240, 240, kReadLarge, kLabelLarge, kFrameLarge, kPictureLarge, kSameLarge, u"大尺寸"},
    {96, 120, kReadMedium, kLabelMedium, kFrameMedium, kPictureMedium, kSameMedium, u"中尺寸"},
    {60, 60, kReadSmall, kLabelSmall, kFrameSmall, kPictureSmall, kSameSmall, u"小尺寸"},
};

constexpr CGameDlg::LayoutRecord kLayout[] = {
    {kGroup, 10, 30, 505, 320},
    {kOk, 330, 360, 80, 24},
    {kCancel, 430, 360, 80, 24},
    {kPictureLarge, 20, 70, 240, 240},
    {kFrameLarge, 20, 70, 240, 240},
    {kPictureMedium, 300, 190, 96, 120},
    {kFrameMedium, 300, 190, 96, 120},
    {kPictureSmall, 436, 240, 56, 70},
    {kFrameSmall, 434, 250, 60, 60},
    {kReadLarge, 100, 320, 80, 24},
    {kReadMedium, 308, 320, 80, 24},
    {kReadSmall, 424, 320, 80, 24},
    {kLabelLarge, 104, 40, 80, 24},
    {kLabelMedium, 312, 160, 80, 24},
    {kLabelSmall, 428, 200, 80, 24},
    // Each size's "使用相同圖像" sits by its name, where the table leaves room.
    {kSameLarge, 188, 40, 104, 24},
    {kSameMedium, 300, 130, 104, 24},
    {kSameSmall, 408, 172, 104, 24},
    {CGameDlg::kEndOfTable, 0, 0, 0, 0},
};

QString Patterns(picture::PictureKind kind) {
    QStringList patterns;
    for (std::string_view extension : picture::KindExtensions(kind))
        patterns << QStringLiteral("*.") +
                        QString::fromLatin1(extension.data(), qsizetype(extension.size()));
    return patterns.join(u' ');
}

// Every kind this build reads, all of them together first; BMP and JPEG keep their entries.
QStringList MakeFileFilters() {
    QStringList all;
    QStringList kinds;
    for (picture::PictureKind kind : picture::ReadableKinds()) {
        all << Patterns(kind);
        if (kind == picture::PictureKind::kBmp || kind == picture::PictureKind::kJpeg)
            continue;
        const std::string_view name = picture::KindName(kind);
        kinds << QString::fromLatin1(name.data(), qsizetype(name.size())) +
                     QStringLiteral(" 檔案(") + Patterns(kind) + u')';
    }
    QStringList filters = {
        QStringLiteral("Image Files (") + all.join(u' ') + u')',
        QStringLiteral("BMP Files(*.bmp)"),
        QStringLiteral("JPG Files(*.jpg)"),
        QStringLiteral("JPEG Files(*.jpeg)"),
    };
    filters << kinds << QStringLiteral("All Files (*)");
    return filters;
}

const QStringList& FileFilters() {
    static const QStringList filters = MakeFileFilters();
    return filters;
}

QLabel* MakeFrame(QWidget* parent) {
    auto* frame = new QLabel(parent);
    frame->setAutoFillBackground(true);
    QPalette palette = frame->palette();
    palette.setColor(QPalette::Window, Qt::black);
    frame->setPalette(palette);
    return frame;
}

QPushButton* MakeButton(const QString& text, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setFont(NormalFont());
    button->setAutoDefault(false);
    return button;
}

}  // namespace

CBMPReadDlg::CBMPReadDlg(IOpenFileChooser& chooser, document::IMessageBox& messageBox,
                         QWidget* parent)
    : CGameDlg(parent), m_chooser(chooser), m_messageBox(messageBox) {
    setWindowTitle(QStringLiteral("載入圖像"));
    SetOuterSize(530, 400);
    // Created first so that it lies beneath the frames and buttons.
    AddControl(kGroup, new QGroupBox(this));
    for (int size = 0; size < kSizeCount; ++size) {
        const SizeControls& c = kSizes[size];
        m_targets[size] = *picture::CDIB::CreateWithPixels(c.width, -c.height, {}, 8);
        m_frames[size] = MakeFrame(this);
        AddControl(c.frame, m_frames[size]);
        m_pictures[size] = new QLabel(this);
        m_pictures[size]->hide();
        AddControl(c.picture, m_pictures[size]);
        auto* label = new QLabel(QString::fromUtf16(c.text), this);
        label->setFont(NormalFont());
        AddControl(c.label, label);
        auto* read = MakeButton(QStringLiteral("讀取"), this);
        AddControl(c.read, read);
        connect(read, &QPushButton::clicked, this, [this, size] { ReadForSize(size); });
        m_same[size] = MakeButton(QStringLiteral("使用相同圖像"), this);
        m_same[size]->setEnabled(false);
        AddControl(c.same, m_same[size]);
        connect(m_same[size], &QPushButton::clicked, this, [this, size] { CropSameForSize(size); });
    }
    m_ok = MakeButton(QStringLiteral("確定"), this);
    m_ok->setEnabled(false);
    AddControl(kOk, m_ok);
    auto* cancel = MakeButton(QStringLiteral("中止"), this);
    AddControl(kCancel, cancel);
    connect(m_ok, &QPushButton::clicked, this, &CBMPReadDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CBMPReadDlg::reject);
}

int CBMPReadDlg::TargetWidth(int size) {
    return kSizes[size].width;
}

int CBMPReadDlg::TargetHeight(int size) {
    return kSizes[size].height;
}

const picture::CDIB& CBMPReadDlg::Cropped(int size) const {
    return m_targets.at(static_cast<std::size_t>(size));
}

bool CBMPReadDlg::IsFilled(int size) const {
    return m_filled.at(static_cast<std::size_t>(size));
}

bool CBMPReadDlg::AllFilled() const {
    return m_filled[kLarge] && m_filled[kMedium] && m_filled[kSmall];
}

const CGameDlg::LayoutRecord* CBMPReadDlg::LayoutTable() const {
    return kLayout;
}

// A picture control takes the size of the face picture it shows.
QRect CBMPReadDlg::AdjustRect(int id, const QRect& rect) const {
    for (const SizeControls& c : kSizes) {
        if (c.picture == id)
            return QRect(rect.topLeft(), QSize(c.width, c.height));
    }
    return rect;
}

// The folder is remembered even when the file then fails, so that the user can pick another
// one beside it.
void CBMPReadDlg::ReadForSize(int size) {
    const std::optional<QString> path = m_chooser.Choose(this, m_folder, FileFilters());
    if (!path)
        return;
    m_folder = QFileInfo(*path).absolutePath();
    if (!ReadFile(*path))
        return;
    m_lastFrame.reset();
    Crop(size, std::nullopt);
}

// The frame follows the one last decided on this picture, so that the face stays where the
// user put it; a picture read but never cropped opens on the dialog's own first frame.
void CBMPReadDlg::CropSameForSize(int size) {
    if (!CanUseSamePicture(size))
        return;
    std::optional<FaceFrame> frame;
    if (m_lastFrame) {
        frame = picture::DerivedFaceFrame(
            m_lastFrame->frame, TargetWidth(m_lastFrame->size), TargetHeight(m_lastFrame->size),
            m_current.Width(), m_current.Height(), TargetWidth(size), TargetHeight(size));
    }
    Crop(size, frame);
}

bool CBMPReadDlg::CanUseSamePicture(int size) const {
    if (!m_current.IsValid())
        return false;
    for (int other = 0; other < kSizeCount; ++other) {
        if (other != size && m_filled[other])
            return true;
    }
    return false;
}

void CBMPReadDlg::Crop(int size, const std::optional<FaceFrame>& frame) {
    std::optional<CropOutcome> outcome =
        CropFace(m_current, TargetWidth(size), TargetHeight(size), frame, this);
    if (outcome) {
        m_targets[size] = std::move(outcome->face);
        m_filled[size] = true;
        // The next size is framed on the picture as the user last turned it.
        if (outcome->turned.IsValid())
            m_current = std::move(outcome->turned);
        m_lastFrame = DecidedFrame{size, outcome->frame};
        ShowCropped(size);
    }
    UpdateButtons();
}

void CBMPReadDlg::UpdateButtons() {
    for (int size = 0; size < kSizeCount; ++size)
        m_same[size]->setEnabled(CanUseSamePicture(size));
    m_ok->setEnabled(AllFilled());
}

bool CBMPReadDlg::ReadFile(const QString& path) {
    std::optional<picture::PictureReadResult> result = ReadPictureFile(path);
    if (!result)
        return false;
    if (auto* error = std::get_if<picture::PictureError>(&*result)) {
        m_messageBox.Show(error->text);
        return false;
    }
    picture::PictureRead& read = std::get<picture::PictureRead>(*result);
    // The picture is still cropped; the user is only told first that part of it is missing.
    if (read.warning)
        m_messageBox.Show(read.warning->text);
    m_current = std::move(read.picture);
    return true;
}

void CBMPReadDlg::ShowCropped(int size) {
    const QPixmap pixmap = QPixmap::fromImage(DibToImage(m_targets[size], DibAlpha::kIgnore));
    QLabel* picture = m_pictures[size];
    picture->setPixmap(pixmap);
    picture->show();
    picture->raise();
    m_frames[size]->hide();
}

}  // namespace ui
