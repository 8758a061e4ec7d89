#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "kaocg/face_slot_table.h"
#include "kaocg/kao_cg_archive.h"

namespace kaocg_func {

// The face-CG ID archive: a 16-byte magic text, then one (general code, face entry) pair of
// little-endian 32-bit words per general code, the code equal to the record's index.
constexpr std::size_t kIdMagicSize = 16;
constexpr std::string_view kIdMagicBase{"kaoedit v1      ", kIdMagicSize};
constexpr std::string_view kIdMagicZV{"kaoeditzv v1    ", kIdMagicSize};
constexpr std::size_t kIdRecordCountBase = 2370;
constexpr std::size_t kIdRecordCountZV = 2600;
constexpr std::size_t kIdRecordSize = 8;

constexpr std::size_t IdRecordCount(bool zvEdition) {
    return zvEdition ? kIdRecordCountZV : kIdRecordCountBase;
}
constexpr std::size_t IdArchiveSize(bool zvEdition) {
    return kIdMagicSize + kIdRecordSize * IdRecordCount(zvEdition);
}

class CKaoCGIDArchive : public CKaoCGArchive {
public:
    // table is borrowed; a load writes entries 0..N-1 of it and nothing else.
    CKaoCGIDArchive(platform::File* file, TransferMode mode, FaceSlotTable* table, bool zvEdition)
        : CKaoCGArchive(file, mode), table_(table), zvEdition_(zvEdition) {}

    // Load succeeds only on the edition's exact magic, so a base-edition file is never taken
    // for an expansion file.
    bool SerializeHeader() override;
    // Load fails at the first record whose code is not its index. Records past the end of a
    // short file are skipped and keep the table's values.
    bool SerializeBody() override;

private:
    bool LoadRecord(std::uint32_t index);
    bool SaveRecord(std::uint32_t index);

    FaceSlotTable* table_;
    bool zvEdition_;
};

// One whole ID archive read from the start of file. Unlike a bare archive object, the table
// changes only when the whole read succeeds.
bool ReadFaceIdFile(platform::File& file, bool zvEdition, FaceSlotTable& table);
// One whole ID archive written at the file's position.
bool WriteFaceIdFile(platform::File& file, bool zvEdition, const FaceSlotTable& table);

}  // namespace kaocg_func
