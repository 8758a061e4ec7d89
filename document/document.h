#pragma once

#include <cstdint>
#include <memory>

#include "document/app_settings.h"
#include "document/edit_history.h"
#include "document/feedback.h"
#include "document/thumbnail_list.h"
#include "kaocg/framebuffer.h"
#include "platform/platform.h"
#include "roster/bushou_manager.h"

namespace document {

// The editor's document: the roster of generals with their faces, the thumbnails, and the
// commands that read and write the face archives. It knows the user interface only through
// the small interfaces it is given.
class CQ06KaoCgEditDoc {
public:
    struct Ui {
        IMessageBox& messageBox;    // the platform message box (fatal loading errors, 400)
        IMessageDialog& dialog;     // the editor's message dialog (questions and notices)
        IProgressWindow& progress;  // the progress window
        IGeneralList& list;         // the main list view
    };

    CQ06KaoCgEditDoc(platform::Platform& platform, const AppSettings& settings, Ui ui);
    ~CQ06KaoCgEditDoc();
    CQ06KaoCgEditDoc(const CQ06KaoCgEditDoc&) = delete;
    CQ06KaoCgEditDoc& operator=(const CQ06KaoCgEditDoc&) = delete;

    // Run once at start-up: first-run archives, roster, stored faces, thumbnails, the list.
    // False ends start-up (its message has been shown).
    bool LoadAllData();

    // Null until LoadAllData has created them.
    roster::bushou_manager* GeneralManager() { return m_generals.get(); }
    const roster::bushou_manager* GeneralManager() const { return m_generals.get(); }
    kaocg_func::framebuffer* Framebuffer() { return m_framebuffer.get(); }

    const AppSettings& Settings() const { return m_settings; }
    int Edition() const { return m_settings.edition; }
    platform::Platform& Platform() { return m_platform; }
    // What reading a face needs (archives, folders, the message box for string 400).
    FaceSource Faces();
    ThumbnailList& Thumbnails() { return document::Thumbnails(); }
    // The windows the document reports to, for the commands built on it.
    const Ui& Windows() const { return m_ui; }

    // The kind the face-CG select dialog showed last.
    std::int32_t& SelectKindPosition() { return m_selectKindPosition; }

    // False, after string 421 in the message dialog (with what was found running), while the
    // game runs.
    bool ConfirmGameNotRunning();
    // Writes the face assignments, keeping the previous file as a backup: string 427 on
    // success, 426 on failure.
    bool Save();
    // Whether the editor may close: asks 418 (or 423 while the game runs) when faces are
    // unsaved; true unless the answer was "否".
    bool SaveModified();
    // Every general but the two fixed ones back to the face the game ships (memory only),
    // recorded as one step of the history.
    void ResetFacesToDefaults();

    // The edits that can be taken back and done again.
    EditHistory& History() { return m_history; }
    const EditHistory& History() const { return m_history; }
    EditTarget HistoryTarget();
    // Takes back (does again) the last step; a step that rewrote a slot's pictures refreshes
    // its thumbnail and refills the list. A failed write shows string 426 and keeps the step.
    bool Undo();
    bool Redo();

private:
    bool RunHistoryStep(bool redo);

    platform::Platform& m_platform;
    AppSettings m_settings;
    Ui m_ui;
    std::unique_ptr<roster::bushou_manager> m_generals;
    std::unique_ptr<kaocg_func::framebuffer> m_framebuffer;
    std::int32_t m_selectKindPosition = 0;
    EditHistory m_history;
};

}  // namespace document
