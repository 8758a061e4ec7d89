#include "document/registration.h"

#include "kaocg/face_image_transfer.h"
#include "kaocg/face_number_map.h"
#include "resources/menu.h"
#include "resources/string_table.h"
#include "roster/roster_table.h"

namespace document {
namespace {

// Face CG ids of edit slot 0 in the large, medium and small edit archives.
constexpr std::int32_t kLargeFirstId = 1;
constexpr std::int32_t kMediumFirstId = 1102;
constexpr std::int32_t kSmallFirstId = 2203;

constexpr std::int32_t kZvGapFirst = 1198;
constexpr std::int32_t kZvGapLast = 1337;
constexpr std::int32_t kZvGapWidth = 21;

bool WriteFace(CQ06KaoCgEditDoc& doc, std::int32_t faceCgId, picture::CDIB& picture) {
    const AppSettings& settings = doc.Settings();
    const kaocg_func::ArchiveContext context{doc.Platform().GetFileSystem(), settings.edition};
    return kaocg_func::TransferFaceImage(context, settings.editDataFolder, faceCgId, picture,
                                         settings.stockDataFolder, kaocg_func::TransferMode::Save,
                                         true);
}

}  // namespace

picture::CDIB BuildRegistrationPicture(const picture::CDIB& crop, const FaceSize& size) {
    auto picture = picture::CDIB::CreateWithPixels(size.texture, size.texture, {}, 24);
    if (!picture) {
        return {};
    }
    // A crop smaller than the face leaves the rest black: CopyRect cuts to what both hold.
    crop.CopyRect(*picture, 0, 0, size.width, size.height, 0, 0);
    return std::move(*picture);
}

bool RegisterFace(CQ06KaoCgEditDoc& doc, const picture::CDIB& large, const picture::CDIB& medium,
                  const picture::CDIB& small, std::int32_t faceNumber) {
    picture::CDIB pictures[] = {BuildRegistrationPicture(large, kLargeFace),
                                BuildRegistrationPicture(medium, kMediumFace),
                                BuildRegistrationPicture(small, kSmallFace)};
    const std::int32_t slot = faceNumber - kaocg_func::kFirstEditFaceNumber;
    if (slot < 0 || slot >= kRegistrableSlots) {
        return false;
    }
    const EditTarget target = doc.HistoryTarget();
    auto before = RegistrationStep::Read(target, slot);
    // All three are attempted even after a failure, so one spoilt archive costs one size only.
    bool written = WriteFace(doc, slot + kLargeFirstId, pictures[0]);
    written = WriteFace(doc, slot + kMediumFirstId, pictures[1]) && written;
    written = WriteFace(doc, slot + kSmallFirstId, pictures[2]) && written;
    // Without the bytes of both sides there is nothing to go back to or forth from.
    auto after = before ? RegistrationStep::Read(target, slot) : std::nullopt;
    if (before && after) {
        doc.History().Push(
            std::make_unique<RegistrationStep>(resources::CommandName(resources::ID_LOAD_IMAGE),
                                               slot, std::move(*before), std::move(*after)));
    }
    if (!written) {
        doc.Windows().dialog.Show(resources::LoadString(resources::IDS_SAVE_FAILED),
                                  IMessageDialog::kConfirm);
    }
    RefreshThumbnail(doc.Thumbnails(), doc.Faces(), slot);
    doc.Windows().list.FillList();
    return written;
}

std::int32_t ListedFaceNumber(int edition, std::int32_t chosen) {
    if (edition == 1 && chosen >= kZvGapFirst && chosen <= kZvGapLast) {
        return chosen + kZvGapWidth;
    }
    return chosen;
}

void ChangeFace(CQ06KaoCgEditDoc& doc, roster::bushou& general, std::int32_t chosen) {
    if (roster::FixedFaceOf(general.Code()) >= 0) {
        return;
    }
    const std::int32_t before = general.CurrentFace();
    general.SetCurrentFace(ListedFaceNumber(doc.Edition(), chosen));
    if (general.CurrentFace() != before) {
        doc.History().Push(std::make_unique<FaceChangeStep>(
            resources::CommandName(resources::ID_CHANGE_IMAGE),
            std::vector<FaceChangeStep::Change>{
                {general.RowIndex(), before, general.CurrentFace()}}));
    }
}

}  // namespace document
