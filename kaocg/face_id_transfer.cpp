#include "kaocg/face_id_transfer.h"

#include <string>

#include "kaocg/archive_open.h"
#include "kaocg/face_number_map.h"
#include "kaocg/kao_cg_id_archive.h"
#include "kaocg/kao_file_path.h"
#include "platform/memory_file.h"

namespace kaocg_func {
namespace {

bool LoadFaceIds(const ArchiveContext& context, std::wstring_view editDataFolder,
                 FaceSlotTable& table, std::span<const GeneralDefault> generals) {
    const bool zv = context.edition == kEditionZV;
    // Only the expansion has an older edition's archive to fall back on.
    const auto importBase = [&] {
        return zv && ImportBaseEditionFaceIds(context, editDataFolder, table, generals);
    };
    std::wstring path;
    if (!BuildKaoFilePath(zv ? kKaoIdZV : kKaoIdBase, editDataFolder, {}, path)) {
        return importBase();
    }
    const OpenedArchiveFile opened =
        OpenArchiveFile(context.files, path, platform::OpenMode::kRead);
    if (!opened.file) {
        // A file that exists but stays locked is not a reason to import over it.
        return opened.unreachable && importBase();
    }
    return ReadFaceIdFile(*opened.file, zv, table);
}

bool SaveFaceIds(const ArchiveContext& context, std::wstring_view editDataFolder,
                 const FaceSlotTable& table) {
    const bool zv = context.edition == kEditionZV;
    std::wstring path;
    if (!BuildKaoFilePath(zv ? kKaoIdZV : kKaoIdBase, editDataFolder, {}, path)) {
        return false;
    }
    // The replacement refuses a read-only target, and the game may hold the file open: the
    // same exclusive open as a load clears the attribute and finds a file in use, without
    // truncating anything.
    if (context.files.Exists(path) &&
        !OpenArchiveFile(context.files, path, platform::OpenMode::kReadWrite).file) {
        return false;
    }
    platform::MemoryFile memory;
    if (!WriteFaceIdFile(memory, zv, table)) {
        return false;
    }
    return context.files.ReplaceFile(path, memory.Bytes());
}

}  // namespace

bool TransferFaceIdArchive(const ArchiveContext& context, std::wstring_view editDataFolder,
                           FaceSlotTable& table, TransferMode mode,
                           std::span<const GeneralDefault> generals) {
    if (context.edition != kEditionBase && context.edition != kEditionZV) {
        return false;
    }
    switch (mode) {
        case TransferMode::Load:
            return LoadFaceIds(context, editDataFolder, table, generals);
        case TransferMode::Save:
            return SaveFaceIds(context, editDataFolder, table);
    }
    return false;
}

}  // namespace kaocg_func
