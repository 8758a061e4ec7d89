#include "ui/kao_select_list.h"

#include <QImage>
#include <QListWidget>
#include <QPixmap>

#include <optional>

#include "kaocg/edit_slot_bytes.h"
#include "kaocg/face_number_map.h"
#include "resources/string_table.h"
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

// The edit slots that hold a picture, by the used-slot bitmap of the large archive (written
// first by a registration); none when it cannot be read.
std::optional<kaocg_func::UsedSlotBitmap> RegisteredSlots(document::CQ06KaoCgEditDoc& doc) {
    return kaocg_func::ReadUsedSlotBitmap(doc.Faces().archives, doc.Settings().editDataFolder,
                                          kaocg_func::kKindEditLarge);
}

// "未登錄" for an empty slot; an edit slot holding a picture that no general wears says so.
QString UnusedLabel(const std::optional<kaocg_func::UsedSlotBitmap>& registered,
                    std::int32_t number) {
    const std::int32_t slot = number - kaocg_func::kFirstEditFaceNumber;
    const bool holdsPicture = registered && slot >= 0 &&
                              kaocg_func::IsMarked(*registered, static_cast<std::uint32_t>(slot));
    return holdsPicture ? LoadQString(resources::IDS_UNASSIGNED_SLOT) : QStringLiteral("未登錄");
}

}  // namespace

void FillFaceList(QListWidget& list, document::CQ06KaoCgEditDoc& doc, int kind) {
    list.clear();
    const roster::bushou_manager* generals = doc.GeneralManager();
    if (!generals)
        return;
    const FaceKind range = KindOf(doc.Edition(), kind);
    const auto users = FirstUsers(*generals, range.first);
    const auto registered = RegisteredSlots(doc);
    for (std::int32_t number : ListedFaceNumbers(doc.Edition(), kind)) {
        const std::int32_t slot = number - range.first;
        const roster::bushou* user =
            slot < kKindNameSlots ? users[static_cast<std::size_t>(slot)] : nullptr;
        // The number stands under the picture, the wearer (or why there is none) below it.
        const QString text = QString::number(number) + QLatin1Char('\n') +
                             (user ? ToQString(user->Name()) : UnusedLabel(registered, number));
        auto* item = new QListWidgetItem(FaceIcon(doc, number), text, &list);
        item->setData(Qt::UserRole, number);
        item->setToolTip(QString::number(number));
    }
}

}  // namespace ui
