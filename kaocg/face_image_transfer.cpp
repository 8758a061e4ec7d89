#include "kaocg/face_image_transfer.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "kaocg/face_cg_id_range.h"
#include "kaocg/image_archive_layout.h"
#include "kaocg/kao_cg_image_archive.h"
#include "kaocg/kao_file_path.h"

namespace kaocg_func {
namespace {

struct SlotTransfer {
    const ArchiveContext& context;
    std::int32_t faceCgId;
    FaceCgSlot where;
    picture::CDIB& picture;
    TransferMode mode;
    bool checkHeader;
};

bool TransferOpened(const SlotTransfer& t, const std::wstring& path) {
    const platform::OpenMode openMode =
        t.mode == TransferMode::Load ? platform::OpenMode::kRead : platform::OpenMode::kReadWrite;
    const std::unique_ptr<platform::File> file = t.context.files.Open(path, openMode, true);
    if (!file) {
        return false;
    }
    CKaoCGImageArchive archive(file.get(), t.mode, &t.picture, t.context.edition, t.faceCgId,
                               t.where.kind);
    return (!t.checkHeader || archive.SerializeHeader()) && archive.SerializeBody();
}

}  // namespace

bool TransferFaceImage(const ArchiveContext& context, std::wstring_view editDataFolder,
                       std::int32_t faceCgId, picture::CDIB& picture,
                       std::wstring_view stockDataFolder, TransferMode mode, bool checkHeader) {
    if (mode != TransferMode::Load && mode != TransferMode::Save) {
        return false;
    }
    const std::optional<FaceCgSlot> where = FindFaceCgSlot(context.edition, faceCgId);
    // The game's own archives are only read; refusing here leaves them unopened.
    if (!where || (mode == TransferMode::Save && !IsEditKind(where->kind))) {
        return false;
    }
    std::wstring path;
    if (!BuildKaoFilePath(where->kind, editDataFolder, stockDataFolder, path)) {
        return false;
    }
    const SlotTransfer transfer{context, faceCgId, *where, picture, mode, checkHeader};
    if (!IsEditKind(where->kind)) {
        return TransferOpened(transfer, path);
    }
    bool done = context.files.SetReadOnly(path, false);
    done = done && TransferOpened(transfer, path);
    // Set again even after a failure: the archive stays protected between calls.
    return context.files.SetReadOnly(path, true) && done;
}

bool IsFaceImagePresent(const ArchiveContext& context, std::int32_t faceCgId,
                        std::wstring_view stockDataFolder, std::wstring_view editDataFolder) {
    picture::CDIB picture;
    if (!TransferFaceImage(context, editDataFolder, faceCgId, picture, stockDataFolder,
                           TransferMode::Load, false)) {
        return false;
    }
    const std::span<const std::uint8_t> pixels = std::as_const(picture).Pixels();
    return std::any_of(pixels.begin(), pixels.end(), [](std::uint8_t b) { return b != 0; });
}

}  // namespace kaocg_func
