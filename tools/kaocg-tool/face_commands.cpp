#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <limits>
#include <string>
#include <string_view>

#include "kaocg/face_cg_id_range.h"
#include "kaocg/face_image_transfer.h"
#include "kaocg/image_archive_layout.h"
#include "kaocg/kao_file_path.h"
#include "lumo/io/utf.h"
#include "tools/kaocg-tool/args.h"
#include "tools/kaocg-tool/command.h"
#include "tools/kaocg-tool/dib_png.h"
#include "tools/kaocg-tool/face_assign.h"
#include "tools/kaocg-tool/face_crop.h"
#include "tools/kaocg-tool/face_files.h"
#include "tools/kaocg-tool/face_register.h"
#include "tools/kaocg-tool/face_suggest.h"
#include "tools/kaocg-tool/game_folders.h"
#include "tools/kaocg-tool/tool_error.h"

namespace kaocg_tool {
namespace {

using kaocg_func::FaceCgIdRange;

std::wstring ArchivePath(const InstalledGame& game, int kind) {
    std::wstring path;
    kaocg_func::BuildKaoFilePath(kind, game.settings.editDataFolder, game.settings.stockDataFolder,
                                 path);
    return path;
}

std::string ArchiveName(const InstalledGame& game, int kind) {
    return game.platform->GetFileSystem().HostPath(ArchivePath(game, kind));
}

// Reads a face the way the editor reads one for display: header checked, offset from the table.
bool ReadFace(const InstalledGame& game, std::int32_t id, picture::CDIB& face) {
    const kaocg_func::ArchiveContext context{game.platform->GetFileSystem(), game.settings.edition};
    return kaocg_func::TransferFaceImage(context, game.settings.editDataFolder, id, face,
                                         game.settings.stockDataFolder,
                                         kaocg_func::TransferMode::Load, true);
}

void ExportOne(const InstalledGame& game, std::int32_t id, const std::string& out) {
    const auto where = kaocg_func::FindFaceCgSlot(game.settings.edition, id);
    if (!where) {
        Fail("face CG id " + std::to_string(id) + " belongs to no archive of the " +
             (game.settings.edition == 1 ? "ZV" : "base") + " edition");
    }
    picture::CDIB face;
    if (!game.platform->GetFileSystem().Exists(ArchivePath(game, where->kind))) {
        Fail(ArchiveName(game, where->kind) + ": no such archive" +
             (where->kind >= kaocg_func::kKindEditLarge
                  ? " (the editor copies its edit archives there on its first run)"
                  : ""));
    }
    if (!ReadFace(game, id, face)) {
        Fail(ArchiveName(game, where->kind) + ": slot " + std::to_string(where->slot) +
             " (face CG id " + std::to_string(id) + ") cannot be read or decoded");
    }
    SavePng(out, DibToRgba(face));
}

std::string PngName(std::int32_t id) {
    char name[16];
    std::snprintf(name, sizeof name, "%04d.png", static_cast<int>(id));
    return name;
}

// Every id of one archive; returns the number exported.
std::size_t ExportRange(const InstalledGame& game, const FaceCgIdRange& range,
                        const std::filesystem::path& folder) {
    std::size_t exported = 0;
    std::int32_t firstFailure = -1;
    for (std::int32_t id = range.first; id <= range.last; ++id) {
        picture::CDIB face;
        if (!ReadFace(game, id, face)) {
            firstFailure = firstFailure < 0 ? id : firstFailure;
            continue;
        }
        SavePng((folder / PngName(id)).string(), DibToRgba(face));
        ++exported;
    }
    const std::size_t count = static_cast<std::size_t>(range.last - range.first + 1);
    std::cout << ArchiveName(game, range.kind) << "\tids " << range.first << ".." << range.last
              << "\texported " << exported << "\tfailed " << count - exported;
    if (firstFailure >= 0) {
        std::cout << " (first " << firstFailure << ')';
    }
    std::cout << '\n';
    return exported;
}

void ExportAll(const InstalledGame& game, const std::string& folder) {
    std::error_code code;
    std::filesystem::create_directories(folder, code);
    if (!std::filesystem::is_directory(folder, code)) {
        Fail(folder + ": cannot create the folder");
    }
    std::size_t exported = 0;
    for (const FaceCgIdRange& range : kaocg_func::FaceCgIdRanges(game.settings.edition)) {
        exported += ExportRange(game, range, folder);
    }
    std::cout << "exported " << exported << " faces to " << folder << std::endl;
    if (exported == 0) {
        Fail("no face could be read");
    }
}

int RunFaceExport(const Arguments& args) {
    const bool all = std::any_of(args.begin(), args.end(), [](const std::string& word) {
        return word == "--all" || word.starts_with("--all=");
    });
    static constexpr std::array<std::string_view, 1> kAllOption{"--all"};
    const ParsedArgs parsed = all ? ParseArgs(args, kAllOption, 1) : ParseArgs(args, {}, 3);
    const InstalledGame game = OpenInstalledGame(parsed.positional[0]);
    if (all) {
        ExportAll(game, std::string(*parsed.Option("--all")));
    } else {
        const auto id = static_cast<std::int32_t>(
            ParseNumber(parsed.positional[1], "ID", std::numeric_limits<std::int32_t>::max()));
        ExportOne(game, id, parsed.positional[2]);
    }
    return kExitSuccess;
}

// Prints the frame the crop dialog proposes first, in the upright picture's pixels.
int RunFaceSuggest(const Arguments& args) {
    static constexpr std::array<std::string_view, 1> kSizeOption{"--size"};
    const ParsedArgs parsed = ParseArgs(args, kSizeOption, 1);
    const auto sizeName = parsed.Option("--size");
    if (!sizeName) {
        FailUsage("--size is required");
    }
    const kaocg_func::FaceDimensions& size = ParseFaceSizeName(*sizeName);
    const picture::CDIB picture = ReadUprightPicture(parsed.positional[0]);
    const FaceSuggestion suggestion = SuggestFaceFrame(picture, size);
    const picture::FaceFrame& f = suggestion.frame;
    std::cout << "frame " << f.left << ',' << f.top << ',' << f.width << ',' << f.height
              << "\nfaces " << suggestion.faces << std::endl;
    return kExitSuccess;
}

}  // namespace

std::span<const Command> FaceCommands() {
    static constexpr std::array<Command, 5> kCommands{{
        {"face export", "PREFIX (ID OUT.png | --all DIR)", &RunFaceExport},
        {"face crop",
         "FILE OUT.png --size large|medium|small [--frame X,Y,W,H] [--rotate 0|90|180|270] "
         "[--nearest]",
         &RunFaceCrop},
        {"face register",
         "PREFIX SLOT LARGE MEDIUM SMALL [SLOT LARGE MEDIUM SMALL ...] [--replace]",
         &RunFaceRegister},
        {"face suggest", "FILE --size large|medium|small", &RunFaceSuggest},
        {"face assign", "PREFIX CODE FACE [CODE FACE ...]", &RunFaceAssign},
    }};
    return kCommands;
}

}  // namespace kaocg_tool
