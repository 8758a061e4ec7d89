#include <algorithm>
#include <array>
#include <fstream>
#include <iostream>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "kaocg/face_texture.h"
#include "kaocg/image_archive_header.h"
#include "kaocg/image_archive_layout.h"
#include "tools/kaocg-tool/args.h"
#include "tools/kaocg-tool/command.h"
#include "tools/kaocg-tool/tool_error.h"

namespace kaocg_tool {
namespace {

using namespace kaocg_func;

constexpr std::size_t kListedFailures = 5;

class ArchiveFile {
public:
    explicit ArchiveFile(const std::string& path) : m_path(path), m_in(path, std::ios::binary) {
        if (!m_in) {
            Fail(path + ": cannot open the file");
        }
        m_in.seekg(0, std::ios::end);
        m_size = static_cast<std::uint64_t>(m_in.tellg());
    }
    std::uint64_t Size() const { return m_size; }
    const std::string& Path() const { return m_path; }
    // The bytes at offset, or nothing when the file does not hold them all.
    bool ReadAt(std::uint64_t offset, std::vector<std::uint8_t>& bytes) {
        if (offset > m_size || bytes.size() > m_size - offset) {
            return false;
        }
        m_in.clear();
        m_in.seekg(static_cast<std::streamoff>(offset));
        m_in.read(reinterpret_cast<char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        return static_cast<std::size_t>(m_in.gcount()) == bytes.size();
    }

private:
    std::string m_path;
    std::ifstream m_in;
    std::uint64_t m_size = 0;
};

struct TableRecord {
    std::uint32_t offset;
    std::uint32_t size;
};

// The kind an archive is, told by its entry count (1100 for the edit archives) and the slot
// size of its first table record; the edition of a stock archive by its entry count.
struct Identity {
    int kind = -1;
    int edition = -1;
};

Identity Identify(const ImageArchiveHeader& header, const std::vector<TableRecord>& table) {
    Identity id;
    const bool edit = header.entryCount == kEditEntryCount;
    id.edition = edit ? 0 : header.entryCount == 1456 ? 0 : header.entryCount == 1598 ? 1 : -1;
    for (int kind = 0; kind < 3 && !table.empty(); ++kind) {
        if (table.front().size == EntrySize(kind)) {
            id.kind = edit ? kind + 3 : kind;
        }
    }
    return id;
}

std::string KindText(int kind) {
    static constexpr std::array<const char*, 6> kNames{"stock large", "stock medium", "stock small",
                                                       "edit large",  "edit medium",  "edit small"};
    if (kind < 0) {
        return "unknown (no known slot size)";
    }
    const std::string side = std::to_string(TextureSide(kind));
    return std::string(kNames[static_cast<std::size_t>(kind)]) + " (" + side + " x " + side +
           " textures in slots of " + std::to_string(EntrySize(kind)) + " bytes)";
}

ImageArchiveHeader ReadHeader(ArchiveFile& file) {
    std::vector<std::uint8_t> bytes(kArchiveHeaderSize);
    if (!file.ReadAt(0, bytes)) {
        Fail(file.Path() + ": not a face image archive (shorter than its 32-byte header)");
    }
    const ImageArchiveHeader header =
        ParseImageArchiveHeader(std::span<const std::uint8_t, kArchiveHeaderSize>(bytes));
    if (header.magic != kImageArchiveMagic) {
        Fail(file.Path() + ": not a face image archive (no \"LINK\" magic)");
    }
    return header;
}

std::vector<TableRecord> ReadTable(ArchiveFile& file, std::uint32_t entries) {
    std::vector<std::uint8_t> bytes;
    if (std::uint64_t{entries} * 8 > file.Size()) {
        Fail(file.Path() + ": the table of " + std::to_string(entries) +
             " entries runs past the end of the file");
    }
    bytes.resize(std::size_t{entries} * 8);
    if (!file.ReadAt(kArchiveHeaderSize, bytes)) {
        Fail(file.Path() + ": the table of " + std::to_string(entries) +
             " entries runs past the end of the file");
    }
    std::vector<TableRecord> table(entries);
    for (std::uint32_t i = 0; i < entries; ++i) {
        table[i] = {LoadU32LE(&bytes[8 * i]), LoadU32LE(&bytes[8 * i + 4])};
    }
    return table;
}

void PrintHeader(const ArchiveFile& file, const ImageArchiveHeader& header, const Identity& id) {
    std::cout << "file: " << file.Path() << "\nsize: " << file.Size()
              << "\nmagic: LINK\nentry count: " << header.entryCount
              << "\nheader size: " << header.headerSize
              << "\nentry count (copy): " << header.entryCountCopy
              << "\ninfo directory offset: " << header.infoDirectoryOffset
              << "\nkind: " << KindText(id.kind) << '\n';
    if (id.kind >= 0 && id.edition >= 0) {
        const bool edit = IsEditKind(id.kind);
        const bool ok = header == RequiredImageArchiveHeader(id.kind, id.edition);
        std::cout << "edition: "
                  << (edit              ? "either"
                      : id.edition == 1 ? "zv"
                                        : "base")
                  << "\nheader: " << (ok ? "as the editor requires" : "refused by the editor")
                  << '\n';
    }
}

void PrintTable(const std::vector<TableRecord>& table, int kind) {
    if (kind < 0) {
        return;
    }
    std::size_t moved = 0;
    for (std::uint32_t i = 0; i < table.size(); ++i) {
        moved += table[i].offset != DefaultSlotOffset(kind, i);
    }
    std::cout << "table: " << (moved == 0 ? "default layout" : "differs from the default layout")
              << " (" << moved << " of " << table.size() << " offsets elsewhere)\n";
}

// Decodes every slot from the offset the table gives it, as a checked load does.
void PrintSlots(ArchiveFile& file, const std::vector<TableRecord>& table, int kind) {
    if (kind < 0) {
        return;
    }
    std::vector<std::uint8_t> slot(EntrySize(kind));
    std::size_t decoded = 0;
    std::size_t blank = 0;
    std::vector<std::string> failures;
    for (std::uint32_t i = 0; i < table.size(); ++i) {
        picture::CDIB face;
        const bool read = file.ReadAt(table[i].offset, slot);
        if (read && DecodeFaceTexture(slot, face)) {
            ++decoded;
            const auto pixels = std::as_const(face).Pixels();
            blank +=
                std::all_of(pixels.begin(), pixels.end(), [](std::uint8_t b) { return b == 0; });
        } else if (failures.size() < kListedFailures) {
            failures.push_back("slot " + std::to_string(i) + " at " +
                               std::to_string(table[i].offset) + ": " +
                               (read ? "no face texture" : "past the end of the file"));
        }
    }
    std::cout << "slots decoding: " << decoded << " of " << table.size() << " (" << blank
              << " blank)\n";
    for (const std::string& failure : failures) {
        std::cout << "  " << failure << '\n';
    }
}

void PrintUsedSlots(ArchiveFile& file, int kind) {
    if (!IsEditKind(kind)) {
        return;
    }
    std::vector<std::uint8_t> bitmap(kUsedSlotBitmapSize);
    if (!file.ReadAt(UsedSlotBitmapOffset(kind), bitmap)) {
        std::cout << "used slots: no bitmap (the file ends before "
                  << UsedSlotBitmapOffset(kind) + kUsedSlotBitmapSize << ")\n";
        return;
    }
    std::vector<std::uint32_t> used;
    for (std::uint32_t bit = 0; bit < kUsedSlotBitmapSize * 8; ++bit) {
        if (bitmap[bit / 8] >> (bit % 8) & 1) {
            used.push_back(bit);
        }
    }
    std::cout << "used slots: " << used.size() << (used.empty() ? "" : ":");
    for (std::uint32_t slot : used) {
        std::cout << ' ' << slot;
    }
    std::cout << '\n';
}

int RunArchiveInfo(const Arguments& args) {
    const ParsedArgs parsed = ParseArgs(args, {}, 1);
    ArchiveFile file(parsed.positional[0]);
    const ImageArchiveHeader header = ReadHeader(file);
    const std::vector<TableRecord> table = ReadTable(file, header.entryCount);
    const Identity id = Identify(header, table);
    PrintHeader(file, header, id);
    PrintTable(table, id.kind);
    PrintSlots(file, table, id.kind);
    PrintUsedSlots(file, id.kind);
    std::cout.flush();
    return kExitSuccess;
}

}  // namespace

std::span<const Command> ArchiveCommands() {
    static constexpr std::array<Command, 1> kCommands{{
        {"archive info", "FILE", &RunArchiveInfo},
    }};
    return kCommands;
}

}  // namespace kaocg_tool
