#include "tools/kaocg-tool/face_assign.h"

#include <iostream>
#include <string>
#include <vector>

#include "document/document.h"
#include "document/face_assignment_save.h"
#include "document/registration.h"
#include "kaocg/face_image_transfer.h"
#include "kaocg/face_number_map.h"
#include "lumo/io/utf.h"
#include "roster/roster_table.h"
#include "tools/kaocg-tool/args.h"
#include "tools/kaocg-tool/console_feedback.h"
#include "tools/kaocg-tool/game_folders.h"
#include "tools/kaocg-tool/tool_error.h"

namespace kaocg_tool {
namespace {

constexpr std::uint32_t kLastGeneralCode = 2599;
constexpr std::uint32_t kLastFaceNumber = 0x7FFFFFFF;

struct Assignment {
    std::int32_t code, face;
};

roster::bushou& GeneralOf(roster::bushou_manager& generals, std::int32_t code) {
    for (int i = 0; i < generals.count(); ++i) {
        roster::bushou* general = generals.at(i);
        if (general != nullptr && general->Code() == code) {
            if (roster::FixedFaceOf(code) >= 0) {
                Fail("general " + std::to_string(code) + " keeps its fixed face");
            }
            return *general;
        }
    }
    Fail("general code " + std::to_string(code) + " is not in the roster of this edition");
}

// As the select dialog offers them: a face with a picture in an archive, and an edit slot
// only once a picture was registered there.
void CheckFace(const InstalledGame& game, std::int32_t face) {
    const int edition = game.settings.edition;
    const std::int32_t large = kaocg_func::FaceCgIdOf(edition, face, kaocg_func::kSizeLarge);
    const bool edit = face >= kaocg_func::kFirstEditFaceNumber &&
                      face < kaocg_func::kFirstEditFaceNumber + document::kRegistrableSlots;
    const bool stock = !edit && face < kaocg_func::kFirstEditFaceNumber && large >= 0;
    if (stock || (edit && kaocg_func::IsFaceImagePresent({game.platform->GetFileSystem(), edition},
                                                         large, game.settings.stockDataFolder,
                                                         game.settings.editDataFolder))) {
        return;
    }
    Fail("face number " + std::to_string(face) +
         (edit ? " is an edit slot without a registered picture"
               : " is not a face of this edition"));
}

std::vector<Assignment> ParseAssignments(const ParsedArgs& parsed) {
    std::vector<Assignment> assignments;
    for (std::size_t at = 1; at + 1 < parsed.positional.size(); at += 2) {
        assignments.push_back({static_cast<std::int32_t>(
                                   ParseNumber(parsed.positional[at], "CODE", kLastGeneralCode)),
                               static_cast<std::int32_t>(ParseNumber(parsed.positional[at + 1],
                                                                     "FACE", kLastFaceNumber))});
    }
    return assignments;
}

}  // namespace

int RunFaceAssign(const Arguments& args) {
    if (args.size() < 3 || args.size() % 2 == 0) {
        FailUsage("expected PREFIX followed by CODE FACE, once or more");
    }
    const ParsedArgs parsed = ParseArgs(args, {}, args.size());
    const std::vector<Assignment> assignments = ParseAssignments(parsed);
    InstalledGame game = OpenInstalledGame(parsed.positional[0]);
    ConsoleFeedback feedback;
    document::CQ06KaoCgEditDoc doc(*game.platform, game.settings,
                                   {feedback, feedback, feedback, feedback});
    if (!doc.ConfirmGameNotRunning()) {
        Fail(parsed.positional[0] + ": " + lumo::WideToUtf8(feedback.LastDialogText()));
    }
    platform::FileSystem& files = game.platform->GetFileSystem();
    roster::bushou_manager generals(game.settings.edition);
    generals.build();
    generals.ApplyFaceAssignments({files, game.settings.edition}, game.settings.editDataFolder);
    // Every pair is checked before anything is written.
    std::vector<roster::bushou*> changed;
    for (const Assignment& assignment : assignments) {
        roster::bushou& general = GeneralOf(generals, assignment.code);
        CheckFace(game, assignment.face);
        general.SetCurrentFace(assignment.face);
        changed.push_back(&general);
    }
    if (!document::SaveFaceAssignments(files, game.settings, generals)) {
        Fail(parsed.positional[0] + ": the face-assignment file could not be written");
    }
    for (const roster::bushou* general : changed) {
        std::cout << "general " << general->Code() << '\t' << lumo::WideToUtf8(general->Name())
                  << "\tface number " << general->CurrentFace() << std::endl;
    }
    return kExitSuccess;
}

}  // namespace kaocg_tool
