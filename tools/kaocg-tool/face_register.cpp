#include "tools/kaocg-tool/face_register.h"

#include <iostream>
#include <string>
#include <vector>

#include "document/document.h"
#include "document/edit_archives.h"
#include "document/overwrite_guard.h"
#include "document/registration.h"
#include "kaocg/face_number_map.h"
#include "kaocg/face_size.h"
#include "lumo/io/utf.h"
#include "tools/kaocg-tool/args.h"
#include "tools/kaocg-tool/console_feedback.h"
#include "tools/kaocg-tool/face_files.h"
#include "tools/kaocg-tool/game_folders.h"
#include "tools/kaocg-tool/tool_error.h"

namespace kaocg_tool {
namespace {

constexpr std::size_t kWordsPerFace = 4;

struct FaceFiles {
    std::int32_t slot;
    picture::CDIB large, medium, small;
};

// Every picture is read and checked before the first write, so a wrong file late on the
// command line leaves the archives as they were.
std::vector<FaceFiles> ReadAllFaces(const ParsedArgs& parsed) {
    std::vector<FaceFiles> faces;
    for (std::size_t at = 1; at < parsed.positional.size(); at += kWordsPerFace) {
        const auto slot = static_cast<std::int32_t>(
            ParseNumber(parsed.positional[at], "SLOT", document::kRegistrableSlots - 1));
        faces.push_back({slot,
                         ReadFaceFile(parsed.positional[at + 1], kaocg_func::kLargeFace, "large"),
                         ReadFaceFile(parsed.positional[at + 2], kaocg_func::kMediumFace, "medium"),
                         ReadFaceFile(parsed.positional[at + 3], kaocg_func::kSmallFace, "small")});
    }
    return faces;
}

[[noreturn]] void FailWith(const std::string& context, const std::wstring& message) {
    Fail(context + lumo::WideToUtf8(message));
}

// A slot that holds a picture is overwritten only when asked for, as the editor asks first.
void RefuseOverwrite(const InstalledGame& game, const roster::bushou_manager& generals,
                     std::int32_t slot, bool replace) {
    const std::int32_t number = kaocg_func::kFirstEditFaceNumber + slot;
    const auto use = document::FindSlotUse({game.platform->GetFileSystem(), game.settings.edition},
                                           game.settings.editDataFolder, &generals, number);
    if (!use || replace) {
        return;
    }
    Fail("slot " + std::to_string(slot) + " (face number " + std::to_string(number) +
         ") already holds a picture, worn by: " +
         lumo::WideToUtf8(document::NameList(use->current)) + "; give --replace to overwrite it");
}

}  // namespace

int RunFaceRegister(const Arguments& given) {
    Arguments args;
    bool replace = false;
    for (const std::string& word : given) {
        if (word == "--replace") {
            replace = true;
        } else {
            args.push_back(word);
        }
    }
    if (args.size() < 1 + kWordsPerFace || (args.size() - 1) % kWordsPerFace != 0) {
        FailUsage("expected PREFIX followed by SLOT LARGE MEDIUM SMALL, once or more");
    }
    const ParsedArgs parsed = ParseArgs(args, {}, args.size());
    const std::vector<FaceFiles> faces = ReadAllFaces(parsed);
    InstalledGame game = OpenInstalledGame(parsed.positional[0]);
    ConsoleFeedback feedback;
    document::CQ06KaoCgEditDoc doc(*game.platform, game.settings,
                                   {feedback, feedback, feedback, feedback});
    if (!doc.ConfirmGameNotRunning()) {
        FailWith(parsed.positional[0] + ": ", feedback.LastDialogText());
    }
    if (!document::PrepareEditArchives(game.platform->GetFileSystem(), game.settings, feedback,
                                       feedback)) {
        FailWith(parsed.positional[0] + ": ", feedback.LastBoxText());
    }
    // The roster tells who wears a slot that would be overwritten.
    roster::bushou_manager generals(game.settings.edition);
    generals.build();
    generals.ApplyFaceAssignments({game.platform->GetFileSystem(), game.settings.edition},
                                  game.settings.editDataFolder);
    for (const FaceFiles& face : faces) {
        const std::int32_t number = kaocg_func::kFirstEditFaceNumber + face.slot;
        RefuseOverwrite(game, generals, face.slot, replace);
        if (!document::RegisterFace(doc, face.large, face.medium, face.small, number)) {
            FailWith("slot " + std::to_string(face.slot) + ": ", feedback.LastDialogText());
        }
        std::cout << "slot " << face.slot << "\tface number " << number << "\tregistered"
                  << std::endl;
    }
    return kExitSuccess;
}

}  // namespace kaocg_tool
