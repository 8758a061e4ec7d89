#include "ui/cg_dialog_bar.h"

#include <QGridLayout>
#include <QLabel>
#include <QPixmap>

#include "kaocg/face_number_map.h"
#include "resources/string_table.h"
#include "ui/fonts.h"
#include "ui/preview_faces.h"
#include "ui/wide_text.h"

namespace ui {
namespace {

QLabel* MakePicture(QWidget* parent, QSize size) {
    auto* picture = new QLabel(parent);
    picture->setFixedSize(size);
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return picture;
}

QLabel* MakeCaption(const QString& text, QWidget* parent) {
    auto* caption = new QLabel(text, parent);
    caption->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    return caption;
}

}  // namespace

CCGDialogBar::CCGDialogBar(document::CQ06KaoCgEditDoc& doc, QWidget* parent)
    : QDockWidget(parent), m_doc(doc) {
    setObjectName(QStringLiteral("previewBar"));
    setFeatures(QDockWidget::NoDockWidgetFeatures);
    setAllowedAreas(Qt::LeftDockWidgetArea);
    // A bar of the frame, not a tool window: no title bar to grab.
    setTitleBarWidget(new QWidget(this));

    auto* panel = new QWidget(this);
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(8, 8, 8, 8);
    grid->setVerticalSpacing(4);
    m_name = new QLabel(panel);
    m_name->setObjectName(QStringLiteral("generalName"));
    m_name->setFont(BoldFont());
    m_pictures[kaocg_func::kSizeLarge] = MakePicture(panel, kFaceVisibleSizes[2]);
    m_pictures[kaocg_func::kSizeMedium] = MakePicture(panel, kFaceVisibleSizes[1]);
    m_pictures[kaocg_func::kSizeSmall] = MakePicture(panel, kFaceVisibleSizes[0]);

    grid->addWidget(m_name, 0, 0, 1, 2);
    grid->addWidget(MakeCaption(QStringLiteral("大尺寸"), panel), 1, 0, 1, 2);
    grid->addWidget(m_pictures[kaocg_func::kSizeLarge], 2, 0, 1, 2);
    grid->addWidget(MakeCaption(QStringLiteral("中尺寸"), panel), 3, 0);
    grid->addWidget(MakeCaption(QStringLiteral("小尺寸"), panel), 3, 1);
    grid->addWidget(m_pictures[kaocg_func::kSizeMedium], 4, 0, Qt::AlignLeft | Qt::AlignTop);
    grid->addWidget(m_pictures[kaocg_func::kSizeSmall], 4, 1, Qt::AlignLeft | Qt::AlignTop);
    grid->setRowStretch(5, 1);
    // The bar keeps the width of its faces: a long name is cut rather than widening it, and
    // the frame's splitter cannot squeeze the large face.
    m_name->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    panel->setFixedWidth(panel->sizeHint().width());
    setWidget(panel);
}

QString CCGDialogBar::ShownName() const {
    return m_name->text();
}

void CCGDialogBar::ShowGeneral(const roster::bushou* general) {
    if (general == nullptr || !general->IsValid()) {
        m_name->clear();
        for (int size = 0; size < 3; ++size) {
            SetFace(size, QImage());
        }
        return;
    }
    m_name->setText(ToQString(general->Name()));
    const document::FaceSource source = m_doc.Faces();
    PreviewFaces read = ReadPreviewFaces(source, general->ShownFaceNumber());
    for (int size = 0; size < 3; ++size) {
        SetFace(size, std::move(read.faces[static_cast<std::size_t>(size)]));
    }
    if (read.readFailed) {
        source.messages.Show(resources::LoadString(resources::IDS_FILE_READ_FAILED));
    }
}

void CCGDialogBar::SetFace(int size, QImage face) {
    QLabel* picture = m_pictures[static_cast<std::size_t>(size)];
    // The slot's alpha blends the face over the panel: the small face's rounded corners and a
    // blank slot show the background.
    picture->setPixmap(face.isNull() ? QPixmap() : QPixmap::fromImage(face));
    m_faces[static_cast<std::size_t>(size)] = std::move(face);
}

}  // namespace ui
