#include <string>

#include "kaocg/archive_open.h"
#include "kaocg/face_id_transfer.h"
#include "kaocg/kao_cg_id_archive.h"
#include "kaocg/kao_file_path.h"

namespace kaocg_func {
namespace {

// The expansion ships new faces for these generals, so the base edition's choice for them
// is dropped; for 1685 only the base edition's stand-in face 4007 is.
constexpr std::int32_t kRefacedCodeA = 1665;
constexpr std::int32_t kRefacedCodeB = 1670;
constexpr std::int32_t kStandInCode = 1685;
constexpr std::uint32_t kStandInFace = 4007;

void MarkImported(FaceSlotTable& table, const GeneralDefault& general) {
    if (general.code < 0 || static_cast<std::size_t>(general.code) >= table.size()) {
        return;
    }
    const std::uint32_t shipped =
        (static_cast<std::uint32_t>(general.defaultFace) & kFaceNumberMask) | kImportedFlag;
    std::uint32_t& entry = table[static_cast<std::size_t>(general.code)];
    if (general.code == kRefacedCodeA || general.code == kRefacedCodeB) {
        entry = shipped;
    } else if (general.code == kStandInCode && entry == kStandInFace) {
        entry = shipped;
    } else if (entry == kNoFaceEntry) {
        entry = shipped;
    } else {
        entry |= kImportedFlag;
    }
}

}  // namespace

bool ImportBaseEditionFaceIds(const ArchiveContext& context, std::wstring_view editDataFolder,
                              FaceSlotTable& table, std::span<const GeneralDefault> generals) {
    std::wstring path;
    if (!BuildKaoFilePath(kKaoIdBase, editDataFolder, {}, path)) {
        return false;
    }
    const OpenedArchiveFile opened =
        OpenArchiveFile(context.files, path, platform::OpenMode::kRead);
    if (!opened.file) {
        return false;
    }
    FaceSlotTable imported = table;
    if (!ReadFaceIdFile(*opened.file, false, imported)) {
        return false;
    }
    for (const GeneralDefault& general : generals) {
        MarkImported(imported, general);
    }
    table = imported;
    return true;
}

}  // namespace kaocg_func
