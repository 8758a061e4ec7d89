#include "document/thumbnail_list.h"

#include "kaocg/face_image_reader.h"
#include "kaocg/face_image_transfer.h"
#include "kaocg/face_number_map.h"
#include "resources/load_report.h"
#include "resources/string_table.h"

namespace document {
namespace {

constexpr std::int32_t kFirstEditSmallId = 2203;
constexpr std::int32_t kEditStepEvery = 55;
constexpr std::int32_t kStockStepParts = 16;
constexpr std::int32_t kLastRegisteredNumber = 2699;

// The top-left 60 x 60 pixels of a face; drawn onto the screen the alpha channel plays no
// part, so the thumbnail keeps the colours.
picture::CDIB Thumbnail(const picture::CDIB& face) {
    picture::CDIB thumbnail = BlankThumbnail();
    face.CopyRect(thumbnail, 0, 0, ThumbnailList::kSide, ThumbnailList::kSide, 0, 0);
    return thumbnail;
}

// ReadThumbnail with the archives kept open between faces, and the failures counted rather
// than shown: a damaged archive fails hundreds of faces, and one box each would stop the
// start-up for as many clicks.
picture::CDIB ReadListedThumbnail(kaocg_func::FaceImageReader& reader, std::int32_t faceCgId,
                                  int& unread) {
    picture::CDIB face;
    if (!reader.Load(faceCgId, face)) {
        ++unread;
        return BlankThumbnail();
    }
    return Thumbnail(face);
}

}  // namespace

bool ThumbnailList::Replace(std::int32_t position, picture::CDIB picture) {
    if (position < 0 || position >= Count()) {
        return false;
    }
    m_pictures[static_cast<std::size_t>(position)] = std::move(picture);
    return true;
}

const picture::CDIB* ThumbnailList::At(std::int32_t position) const {
    if (position < 0 || position >= Count()) {
        return nullptr;
    }
    return &m_pictures[static_cast<std::size_t>(position)];
}

ThumbnailList& Thumbnails() {
    static ThumbnailList list;
    return list;
}

picture::CDIB BlankThumbnail() {
    return *picture::CDIB::CreateWithPixels(ThumbnailList::kSide, ThumbnailList::kSide, {}, 24);
}

std::optional<picture::CDIB> ReadThumbnail(const FaceSource& source, std::int32_t faceCgId) {
    picture::CDIB face;
    if (!kaocg_func::TransferFaceImage(source.archives, source.settings.editDataFolder, faceCgId,
                                       face, source.settings.stockDataFolder,
                                       kaocg_func::TransferMode::Load, true)) {
        source.messages.Show(resources::LoadString(resources::IDS_FILE_READ_FAILED));
        return std::nullopt;
    }
    return Thumbnail(face);
}

void BuildThumbnailList(ThumbnailList& list, const FaceSource& source, IProgress& progress) {
    const int edition = source.archives.edition;
    const std::int32_t stockCount = kaocg_func::StockCount(edition);
    list.Clear();
    list.Reserve(static_cast<std::size_t>(ThumbnailList::kEditPositions + stockCount));
    kaocg_func::FaceImageReader reader(source.archives, source.settings.editDataFolder,
                                       source.settings.stockDataFolder);
    int unread = 0;
    for (std::int32_t slot = 0; slot < ThumbnailList::kEditPositions; ++slot) {
        list.Append(ReadListedThumbnail(reader, kFirstEditSmallId + slot, unread));
        if ((slot + 1) % kEditStepEvery == 0) {
            progress.Step();
        }
    }
    progress.Step();
    const std::int32_t stepEvery = stockCount / kStockStepParts;
    for (std::int32_t i = 0; i < stockCount; ++i) {
        const std::int32_t id = kaocg_func::StockSmallFirst(edition) + i;
        list.Append(ReadListedThumbnail(reader, id, unread));
        if ((i + 1) % stepEvery == 0) {
            progress.Step();
        }
    }
    if (unread > 0) {
        source.messages.Show(resources::UnreadFacesMessage(unread));
    }
}

void RefreshThumbnail(ThumbnailList& list, const FaceSource& source, std::int32_t slot) {
    list.Replace(slot, ReadThumbnail(source, kFirstEditSmallId + slot).value_or(BlankThumbnail()));
}

std::int32_t ThumbnailPosition(int edition, std::int32_t faceNumber) {
    // Registration uses the slots of 1700..2699; 2700..2799 go through the face-number map like
    // any other number and so land outside the list.
    if (faceNumber >= kaocg_func::kFirstEditFaceNumber && faceNumber <= kLastRegisteredNumber) {
        return faceNumber - kaocg_func::kFirstEditFaceNumber;
    }
    const std::int32_t id = kaocg_func::FaceCgIdOf(edition, faceNumber, kaocg_func::kSizeSmall);
    if (id < 0) {
        return -1;
    }
    return id - kaocg_func::StockSmallFirst(edition) + ThumbnailList::kEditPositions;
}

}  // namespace document
