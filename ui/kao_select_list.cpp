#include "ui/kao_select_list.h"

#include <QImage>
#include <QListWidget>
#include <QPixmap>

#include "ui/dib_image.h"
#include "ui/kao_select_kinds.h"
#include "ui/wide_text.h"

namespace ui {
namespace {

QIcon FaceIcon(document::CQ06KaoCgEditDoc& doc, std::int32_t faceNumber) {
    const std::int32_t position = document::ThumbnailPosition(doc.Edition(), faceNumber);
    const picture::CDIB* picture = doc.Thumbnails().At(position);
    QImage image = picture ? DibToImage(*picture, DibAlpha::kIgnore) : QImage();
    if (image.isNull()) {
        image = QImage(document::ThumbnailList::kSide, document::ThumbnailList::kSide,
                       QImage::Format_RGB32);
        image.fill(Qt::black);
    }
    return QIcon(QPixmap::fromImage(image));
}

}  // namespace

void FillFaceList(QListWidget& list, document::CQ06KaoCgEditDoc& doc, int kind) {
    list.clear();
    const roster::bushou_manager* generals = doc.GeneralManager();
    if (!generals)
        return;
    const FaceKind range = KindOf(doc.Edition(), kind);
    const auto users = FirstUsers(*generals, range.first);
    const QString unregistered = QStringLiteral("未登錄");
    for (std::int32_t number : ListedFaceNumbers(doc.Edition(), kind)) {
        const std::int32_t slot = number - range.first;
        const roster::bushou* user =
            slot < kKindNameSlots ? users[static_cast<std::size_t>(slot)] : nullptr;
        auto* item = new QListWidgetItem(FaceIcon(doc, number),
                                         user ? ToQString(user->Name()) : unregistered, &list);
        item->setData(Qt::UserRole, number);
        item->setToolTip(QString::number(number));
    }
}

}  // namespace ui
