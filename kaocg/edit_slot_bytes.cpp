#include "kaocg/edit_slot_bytes.h"

#include <memory>
#include <string>

#include "kaocg/image_archive_layout.h"
#include "kaocg/kao_file_path.h"

namespace kaocg_func {
namespace {

constexpr std::size_t HeaderBytes() {
    return kArchiveHeaderSize + 8 * kEditEntryCount;
}

std::optional<std::wstring> EditArchivePath(std::wstring_view editDataFolder, int kind,
                                            std::uint32_t slot) {
    std::wstring path;
    if (!IsEditKind(kind) || slot >= kEditEntryCount ||
        !BuildKaoFilePath(kind, editDataFolder, L"", path)) {
        return std::nullopt;
    }
    return path;
}

bool ReadAt(platform::File& file, std::uint64_t offset, void* buffer, std::size_t count) {
    return file.Seek(offset) && file.Read(buffer, count) == count;
}

bool WriteAt(platform::File& file, std::uint64_t offset, const void* buffer, std::size_t count) {
    return file.Seek(offset) && file.Write(buffer, count);
}

std::uint64_t BitmapByteOffset(int kind, std::uint32_t slot) {
    return UsedSlotBitmapOffset(kind) + slot / 8;
}

}  // namespace

std::optional<EditSlotBytes> ReadEditSlotBytes(const ArchiveContext& context,
                                               std::wstring_view editDataFolder, int kind,
                                               std::uint32_t slot) {
    const auto path = EditArchivePath(editDataFolder, kind, slot);
    const std::unique_ptr<platform::File> file =
        path ? context.files.Open(*path, platform::OpenMode::kRead, true) : nullptr;
    if (!file) {
        return std::nullopt;
    }
    EditSlotBytes bytes;
    bytes.header.resize(HeaderBytes());
    bytes.slot.resize(EntrySize(kind));
    if (!ReadAt(*file, 0, bytes.header.data(), bytes.header.size()) ||
        !ReadAt(*file, DefaultSlotOffset(kind, slot), bytes.slot.data(), bytes.slot.size()) ||
        !ReadAt(*file, BitmapByteOffset(kind, slot), &bytes.bitmapByte, 1)) {
        return std::nullopt;
    }
    return bytes;
}

bool WriteEditSlotBytes(const ArchiveContext& context, std::wstring_view editDataFolder, int kind,
                        std::uint32_t slot, const EditSlotBytes& bytes) {
    const auto path = EditArchivePath(editDataFolder, kind, slot);
    if (!path || bytes.header.size() != HeaderBytes() || bytes.slot.size() != EntrySize(kind)) {
        return false;
    }
    bool done = context.files.SetReadOnly(*path, false);
    if (done) {
        const std::unique_ptr<platform::File> file =
            context.files.Open(*path, platform::OpenMode::kReadWrite, true);
        done =
            file && WriteAt(*file, 0, bytes.header.data(), bytes.header.size()) &&
            WriteAt(*file, DefaultSlotOffset(kind, slot), bytes.slot.data(), bytes.slot.size()) &&
            WriteAt(*file, BitmapByteOffset(kind, slot), &bytes.bitmapByte, 1);
    }
    // Set again even after a failure: the archive stays protected between calls.
    return context.files.SetReadOnly(*path, true) && done;
}

std::optional<UsedSlotBitmap> ReadUsedSlotBitmap(const ArchiveContext& context,
                                                 std::wstring_view editDataFolder, int kind) {
    const auto path = EditArchivePath(editDataFolder, kind, 0);
    const std::unique_ptr<platform::File> file =
        path ? context.files.Open(*path, platform::OpenMode::kRead, true) : nullptr;
    UsedSlotBitmap bitmap{};
    if (!file || !ReadAt(*file, UsedSlotBitmapOffset(kind), bitmap.data(), bitmap.size())) {
        return std::nullopt;
    }
    return bitmap;
}

std::optional<bool> IsEditSlotMarked(const ArchiveContext& context,
                                     std::wstring_view editDataFolder, int kind,
                                     std::uint32_t slot) {
    const auto bitmap = ReadUsedSlotBitmap(context, editDataFolder, kind);
    if (!bitmap || slot >= kEditEntryCount) {
        return std::nullopt;
    }
    return IsMarked(*bitmap, slot);
}

}  // namespace kaocg_func
