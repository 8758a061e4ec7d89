#include "kaocg/kao_cg_id_archive.h"

#include <array>
#include <cstring>

#include "kaocg/archive_io.h"

namespace kaocg_func {

bool CKaoCGIDArchive::SerializeHeader() {
    if (!CanTransfer()) {
        return false;
    }
    const std::string_view magic = zvEdition_ ? kIdMagicZV : kIdMagicBase;
    if (!IsLoading()) {
        return File()->Write(magic.data(), magic.size());
    }
    std::array<char, kIdMagicSize> read{};
    if (File()->Read(read.data(), read.size()) != read.size()) {
        return false;
    }
    return std::memcmp(read.data(), magic.data(), magic.size()) == 0;
}

bool CKaoCGIDArchive::SerializeBody() {
    if (!CanTransfer() || table_ == nullptr) {
        return false;
    }
    const auto count = static_cast<std::uint32_t>(IdRecordCount(zvEdition_));
    for (std::uint32_t i = 0; i < count; ++i) {
        if (!(IsLoading() ? LoadRecord(i) : SaveRecord(i))) {
            return false;
        }
    }
    return true;
}

// The game tolerates a file that ends early, so a record that is not there leaves its entry
// alone rather than failing the whole load.
bool CKaoCGIDArchive::LoadRecord(std::uint32_t index) {
    std::uint32_t code = index;
    ReadU32LE(*File(), code);
    if (code != index) {
        return false;
    }
    std::uint32_t value = (*table_)[index];
    ReadU32LE(*File(), value);
    (*table_)[index] = value;
    return true;
}

bool CKaoCGIDArchive::SaveRecord(std::uint32_t index) {
    return WriteU32LE(*File(), index) && WriteU32LE(*File(), (*table_)[index]);
}

bool ReadFaceIdFile(platform::File& file, bool zvEdition, FaceSlotTable& table) {
    FaceSlotTable read = table;
    CKaoCGIDArchive archive(&file, TransferMode::Load, &read, zvEdition);
    if (!file.Seek(0) || !archive.SerializeHeader() || !archive.SerializeBody()) {
        return false;
    }
    table = read;
    return true;
}

bool WriteFaceIdFile(platform::File& file, bool zvEdition, const FaceSlotTable& table) {
    FaceSlotTable written = table;
    CKaoCGIDArchive archive(&file, TransferMode::Save, &written, zvEdition);
    return archive.SerializeHeader() && archive.SerializeBody();
}

}  // namespace kaocg_func
