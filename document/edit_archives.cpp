#include "document/edit_archives.h"

#include <array>
#include <cstdint>
#include <string>

#include "document/game_environment.h"
#include "resources/string_table.h"

namespace document {
namespace {

constexpr std::array<std::wstring_view, 3> kEditArchiveNames{L"EDIT_KAO_L.Q06", L"EDIT_KAO_M.Q06",
                                                             L"EDIT_KAO_S.Q06"};
constexpr std::uint16_t kLargeVisibleSide = 240;
constexpr std::uint32_t kHeaderSize = 32;
constexpr std::uint32_t kInfoRecordSize = 12;
// Larger counts cannot come from a real archive; they would mean a damaged header.
constexpr std::uint32_t kMaxEntries = 100000;

std::uint32_t U32At(const std::uint8_t* bytes) {
    return bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (std::uint32_t{bytes[3]} << 24);
}

bool PatchRecords(platform::File& file) {
    std::uint8_t header[kHeaderSize];
    if (file.Read(header, kHeaderSize) != kHeaderSize) {
        return false;
    }
    const std::uint32_t count = U32At(header + 4);
    const std::uint64_t directory = U32At(header + 16);
    if (count > kMaxEntries || directory + std::uint64_t{count} * kInfoRecordSize > file.Size()) {
        return false;
    }
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint64_t at = directory + std::uint64_t{i} * kInfoRecordSize;
        std::uint8_t record[kInfoRecordSize];
        if (!file.Seek(at) || file.Read(record, kInfoRecordSize) != kInfoRecordSize) {
            return false;
        }
        for (int field : {4, 6}) {
            record[field] = kLargeVisibleSide & 0xFF;
            record[field + 1] = kLargeVisibleSide >> 8;
        }
        if (!file.Seek(at) || !file.Write(record, kInfoRecordSize)) {
            return false;
        }
    }
    return file.Flush();
}

}  // namespace

bool PatchLargeEditArchive(platform::FileSystem& files, std::wstring_view path) {
    files.SetReadOnly(path, false);
    bool patched = false;
    if (auto file = files.Open(path, platform::OpenMode::kReadWrite, false)) {
        patched = PatchRecords(*file);
    }
    files.SetReadOnly(path, true);
    return patched;
}

bool PrepareEditArchives(platform::FileSystem& files, const AppSettings& settings,
                         IMessageBox& messages, IProgress& progress) {
    for (std::size_t size = 0; size < kEditArchiveNames.size(); ++size) {
        const std::wstring name(kEditArchiveNames[size]);
        const std::wstring target = settings.editDataFolder + L"GRP\\" + name;
        if (!files.Exists(target)) {
            game::CreateFolderPath(files, target);
            // The copy appears under its name only when complete, so an interrupted first run
            // is simply repeated next time.
            if (!files.CopyFile(settings.stockDataFolder + name, target)) {
                messages.Show(resources::LoadString(resources::IDS_FACE_DATA_NOT_FOUND));
                return false;
            }
            if (size == 0 && !PatchLargeEditArchive(files, target)) {
                files.SetReadOnly(target, false);
                files.DeleteFile(target);
                messages.Show(resources::LoadString(resources::IDS_FACE_DATA_NOT_FOUND));
                return false;
            }
        }
        progress.Step();
    }
    return true;
}

}  // namespace document
