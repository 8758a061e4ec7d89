#include "ui/open_file_chooser.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QImageReader>
#include <QLabel>

namespace ui {
namespace {

constexpr int kPreviewSide = 200;

// The picture under the cursor, shrunk while it is read (JPEG files decode at a fraction of
// their size), turned upright as its orientation tag says.
QPixmap PreviewOf(const QString& path) {
    if (!QFileInfo(path).isFile())
        return {};
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (size.isValid())
        reader.setScaledSize(size.scaled(kPreviewSide, kPreviewSide, Qt::KeepAspectRatio)
                                 .boundedTo(size)
                                 .expandedTo(QSize(1, 1)));
    return QPixmap::fromImage(reader.read());
}

// Qt's own dialog: the platform's may not take a widget beside its list.
void AddPreview(QFileDialog& dialog) {
    auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
    if (grid == nullptr)
        return;
    auto* preview = new QLabel(&dialog);
    preview->setObjectName(QStringLiteral("preview"));
    preview->setFixedSize(kPreviewSide, kPreviewSide);
    preview->setAlignment(Qt::AlignCenter);
    preview->setFrameShape(QFrame::StyledPanel);
    grid->addWidget(preview, 0, grid->columnCount(), grid->rowCount(), 1);
    QObject::connect(&dialog, &QFileDialog::currentChanged, preview,
                     [preview](const QString& path) { preview->setPixmap(PreviewOf(path)); });
}

}  // namespace

std::optional<QString> FileDialogChooser::Choose(QWidget* parent, const QString& folder,
                                                 const QStringList& filters) {
    QFileDialog dialog(parent, QString(), folder.isEmpty() ? m_lastFolder : folder);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilters(filters);
    AddPreview(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const QString path = dialog.selectedFiles().front();
    m_lastFolder = QFileInfo(path).absolutePath();
    return path;
}

}  // namespace ui
