#include "document/document.h"

#include <new>

#include "document/edit_archives.h"
#include "document/face_assignment_save.h"
#include "document/game_environment.h"
#include "resources/menu.h"
#include "resources/string_table.h"

namespace document {
namespace {

constexpr int kLoadingSteps = 43;
constexpr std::int32_t kFixedFaceCodes[] = {338, 2274};

bool IsFixedFaceCode(std::int32_t code) {
    return code == kFixedFaceCodes[0] || code == kFixedFaceCodes[1];
}

}  // namespace

CQ06KaoCgEditDoc::CQ06KaoCgEditDoc(platform::Platform& platform, const AppSettings& settings, Ui ui)
    : m_platform(platform), m_settings(settings), m_ui(ui) {}

CQ06KaoCgEditDoc::~CQ06KaoCgEditDoc() = default;

FaceSource CQ06KaoCgEditDoc::Faces() {
    return {{m_platform.GetFileSystem(), m_settings.edition}, m_settings, m_ui.messageBox};
}

bool CQ06KaoCgEditDoc::LoadAllData() {
    m_ui.progress.Open(resources::LoadString(resources::IDS_LOADING_DATA), kLoadingSteps);
    m_ui.progress.Step();
    if (!PrepareEditArchives(m_platform.GetFileSystem(), m_settings, m_ui.messageBox,
                             m_ui.progress)) {
        m_ui.progress.Close();
        return false;
    }
    m_framebuffer = kaocg_func::CreateFramebuffer();
    if (!m_framebuffer) {
        m_ui.progress.Close();
        m_ui.messageBox.Show(L"Create error. [framebuffer]");
        return false;
    }
    m_generals.reset(new (std::nothrow) roster::bushou_manager(m_settings.edition));
    if (!m_generals) {
        m_ui.progress.Close();
        m_ui.messageBox.Show(L"Create error. [bushoumanager]");
        return false;
    }
    m_generals->build();
    // An unreadable ID archive leaves every general at the face the game ships.
    m_generals->ApplyFaceAssignments({m_platform.GetFileSystem(), m_settings.edition},
                                     m_settings.editDataFolder);
    m_ui.progress.Step();
    BuildThumbnailList(Thumbnails(), Faces(), m_ui.progress);
    m_ui.list.FillList();
    m_ui.progress.Close();
    return true;
}

bool CQ06KaoCgEditDoc::ConfirmGameNotRunning() {
    const auto game = game::FindRunningGame(m_platform.GetProcesses());
    if (!game) {
        return true;
    }
    m_ui.dialog.Show(std::wstring(resources::LoadString(resources::IDS_QUIT_GAME_FIRST)) +
                         game::RunningGameNote(*game),
                     IMessageDialog::kConfirm);
    return false;
}

bool CQ06KaoCgEditDoc::Save() {
    const bool saved =
        m_generals && SaveFaceAssignments(m_platform.GetFileSystem(), m_settings, *m_generals);
    m_ui.dialog.Show(
        resources::LoadString(saved ? resources::IDS_SAVED : resources::IDS_SAVE_FAILED),
        IMessageDialog::kConfirm);
    return saved;
}

bool CQ06KaoCgEditDoc::SaveModified() {
    if (!m_generals || !m_generals->HasUnsavedChanges()) {
        return true;
    }
    const auto game = game::FindRunningGame(m_platform.GetProcesses());
    std::wstring question =
        game ? std::wstring(resources::LoadString(resources::IDS_EXIT_GAME_RUNNING_QUESTION)) +
                   game::RunningGameNote(*game)
             : std::wstring(resources::LoadString(resources::IDS_EXIT_UNSAVED_QUESTION));
    return m_ui.dialog.AskDiscard(question, nullptr) != IMessageDialog::kResultNo;
}

void CQ06KaoCgEditDoc::ResetFacesToDefaults() {
    if (!m_generals) {
        return;
    }
    std::vector<FaceChangeStep::Change> changes;
    for (int i = 0; i < m_generals->count(); ++i) {
        roster::bushou* general = m_generals->at(i);
        if (general && !IsFixedFaceCode(general->Code())) {
            if (general->CurrentFace() != general->DefaultFace()) {
                changes.push_back({i, general->CurrentFace(), general->DefaultFace()});
            }
            general->SetCurrentFace(general->DefaultFace());
        }
    }
    if (!changes.empty()) {
        m_history.Push(std::make_unique<FaceChangeStep>(
            resources::CommandName(resources::ID_INITIALIZE_ALL), std::move(changes)));
    }
}

EditTarget CQ06KaoCgEditDoc::HistoryTarget() {
    return {m_generals.get(),
            {m_platform.GetFileSystem(), m_settings.edition},
            m_settings.editDataFolder};
}

bool CQ06KaoCgEditDoc::Undo() {
    return RunHistoryStep(false);
}

bool CQ06KaoCgEditDoc::Redo() {
    return RunHistoryStep(true);
}

bool CQ06KaoCgEditDoc::RunHistoryStep(bool redo) {
    const EditStep* step = redo ? m_history.NextRedo() : m_history.NextUndo();
    if (step == nullptr) {
        return false;
    }
    const std::optional<std::int32_t> slot = step->RewrittenSlot();
    EditTarget target = HistoryTarget();
    const bool done = redo ? m_history.Redo(target) : m_history.Undo(target);
    if (!done) {
        m_ui.dialog.Show(resources::LoadString(resources::IDS_SAVE_FAILED),
                         IMessageDialog::kConfirm);
    }
    if (slot) {
        RefreshThumbnail(Thumbnails(), Faces(), *slot);
    }
    m_ui.list.FillList();
    return done;
}

}  // namespace document
