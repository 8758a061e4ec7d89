#include <array>
#include <cstring>
#include <iostream>
#include <map>
#include <string>
#include <string_view>

#include "kaocg/face_number_map.h"
#include "kaocg/face_slot_table.h"
#include "kaocg/kao_cg_id_archive.h"
#include "lumo/io/utf.h"
#include "roster/roster_table.h"
#include "tools/kaocg-tool/args.h"
#include "tools/kaocg-tool/command.h"
#include "tools/kaocg-tool/file_io.h"
#include "tools/kaocg-tool/tool_error.h"

namespace kaocg_tool {
namespace {

using namespace kaocg_func;

std::uint32_t U32At(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 16 |
           static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

bool HasMagic(const std::vector<std::uint8_t>& bytes, std::string_view magic) {
    return bytes.size() >= kIdMagicSize &&
           std::memcmp(bytes.data(), magic.data(), kIdMagicSize) == 0;
}

// The edition whose magic the file carries; anything else is not an ID archive.
bool ReadEdition(const std::vector<std::uint8_t>& bytes, const std::string& path) {
    const bool zv = HasMagic(bytes, kIdMagicZV);
    if (!zv && !HasMagic(bytes, kIdMagicBase)) {
        Fail(path + ": not a face-CG ID archive (unknown magic)");
    }
    // The game reads a fixed number of records; a file of another length was not written by
    // it or by the editor.
    if (bytes.size() != IdArchiveSize(zv)) {
        Fail(path + ": " + std::to_string(bytes.size()) + " bytes, but a " + (zv ? "ZV" : "base") +
             "-edition ID archive has " + std::to_string(IdArchiveSize(zv)));
    }
    return zv;
}

std::map<std::int32_t, std::string> NamesByCode(int edition) {
    std::map<std::int32_t, std::string> names;
    for (const roster::RosterRow& row : roster::RosterTable(edition)) {
        names.emplace(row.code, lumo::WideToUtf8(row.name));
    }
    return names;
}

void PrintRecord(std::uint32_t code, std::uint32_t value, const std::string& name) {
    std::cout << code << '\t';
    if (value == kNoFaceEntry) {
        std::cout << "none\t-";
    } else {
        std::cout << (value & kFaceNumberMask) << '\t' << ((value & kImportedFlag) ? "yes" : "no");
    }
    std::cout << '\t' << name << '\n';
}

int RunIdsShow(const Arguments& args) {
    const ParsedArgs parsed = ParseArgs(args, {}, 1);
    const std::string& path = parsed.positional[0];
    const std::vector<std::uint8_t> bytes = ReadWholeFile(path);
    const bool zv = ReadEdition(bytes, path);
    const auto names = NamesByCode(zv ? kEditionZV : kEditionBase);
    const std::size_t count = IdRecordCount(zv);
    std::cout << "edition: " << (zv ? "zv" : "base") << "\nrecords: " << count
              << "\ncode\tface\timported\tname\n";
    std::size_t firstBad = count;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = kIdMagicSize + kIdRecordSize * i;
        const std::uint32_t code = U32At(bytes, at);
        if (code != i && firstBad == count) {
            firstBad = i;
        }
        const auto name = names.find(static_cast<std::int32_t>(i));
        PrintRecord(static_cast<std::uint32_t>(i), U32At(bytes, at + 4),
                    name == names.end() ? std::string() : name->second);
    }
    std::cout.flush();
    if (firstBad != count) {
        Fail(path + ": record " + std::to_string(firstBad) + " holds general code " +
             std::to_string(U32At(bytes, kIdMagicSize + kIdRecordSize * firstBad)) +
             "; the editor refuses this file");
    }
    return kExitSuccess;
}

}  // namespace

std::span<const Command> IdsCommands() {
    static constexpr std::array<Command, 1> kCommands{{
        {"ids show", "FILE", &RunIdsShow},
    }};
    return kCommands;
}

}  // namespace kaocg_tool
