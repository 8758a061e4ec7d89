// Reads any bytes as a face-CG ID archive of each edition, and as the base edition's archive
// that a ZV-edition load imports when it has no archive of its own. Checks what callers rely
// on: a failed read leaves the table alone, a read touches only the edition's records, and a
// table that was read writes back into a file that reads as the same table.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

#include "fuzz/one_file_system.h"
#include "kaocg/face_id_transfer.h"
#include "kaocg/face_number_map.h"
#include "kaocg/kao_cg_id_archive.h"
#include "platform/memory_file.h"

namespace {

using kaocg_func::FaceSlotTable;

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

FaceSlotTable StartTable() {
    FaceSlotTable table;
    table.fill(kaocg_func::kNoFaceEntry);
    table[5] = 1700;  // an entry a read must either keep or overwrite, never half-change
    return table;
}

void ReadEdition(std::span<const std::uint8_t> bytes, bool zv) {
    platform::MemoryFile file(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    const FaceSlotTable start = StartTable();
    FaceSlotTable table = start;
    if (!kaocg_func::ReadFaceIdFile(file, zv, table)) {
        Check(table == start);
        return;
    }
    for (std::size_t i = kaocg_func::IdRecordCount(zv); i < table.size(); ++i) {
        Check(table[i] == start[i]);
    }
    platform::MemoryFile written;
    Check(kaocg_func::WriteFaceIdFile(written, zv, table));
    Check(written.Size() == kaocg_func::IdArchiveSize(zv));
    FaceSlotTable reread = StartTable();
    Check(kaocg_func::ReadFaceIdFile(written, zv, reread) && reread == table);
}

// Codes in and out of the table, and the three codes the import has rules of its own for.
constexpr std::array<kaocg_func::GeneralDefault, 7> kGenerals{
    {{0, 1}, {1665, 1665}, {1670, 1670}, {1685, 1685}, {2599, 3000}, {-1, 5}, {2600, 7}}};

void ImportIntoZvEdition(std::span<const std::uint8_t> bytes) {
    const std::wstring folder = L"C:\\users\\fuzz\\Documents\\edit\\";
    fuzzing::OneFileSystem files(folder + L"kaoedit.q06", bytes);
    const kaocg_func::ArchiveContext context{files, kaocg_func::kEditionZV};
    const FaceSlotTable start = StartTable();
    FaceSlotTable table = start;
    if (!kaocg_func::TransferFaceIdArchive(context, folder, table, kaocg_func::TransferMode::Load,
                                           kGenerals)) {
        Check(table == start);
        return;
    }
    for (const kaocg_func::GeneralDefault& general : kGenerals) {
        if (general.code >= 0 && static_cast<std::size_t>(general.code) < table.size()) {
            Check((table[static_cast<std::size_t>(general.code)] & kaocg_func::kImportedFlag) != 0);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    ReadEdition(bytes, false);
    ReadEdition(bytes, true);
    ImportIntoZvEdition(bytes);
    return 0;
}
