#pragma once

#include <QMainWindow>

#include <QString>
#include <map>

#include "document/document.h"
#include "document/feedback.h"
#include "resources/menu.h"

class QAction;

namespace ui {
class CCGDialogBar;
class CQ06KaoCgEditView;
}  // namespace ui

namespace app {

class CFrameStatusBar;

// The editor's only top-level window: a menu bar of seven commands, the general list as the
// central widget, the face preview bar at the left edge and the status bar. The frame keeps
// the menu and the title in step with the roster; the list runs the commands.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    enum Command : int {
        kLoadImage = resources::ID_LOAD_IMAGE,
        kChangeImage = resources::ID_CHANGE_IMAGE,
        kSave = resources::ID_FILE_SAVE,
        kInitializeAll = resources::ID_INITIALIZE_ALL,
        kSearch = resources::ID_SEARCH,
        kAbout = resources::ID_APP_ABOUT,
        kExit = resources::ID_APP_EXIT,
        kUndo = resources::ID_EDIT_UNDO,
        kRedo = resources::ID_EDIT_REDO,
    };
    static constexpr int kInitialWidth = 800;
    static constexpr int kInitialHeight = 600;
    static constexpr int kMinimumWidth = 400;
    static constexpr int kMinimumHeight = 600;

    // The title, and the title while faces are unsaved.
    static QString Title(bool unsaved = false);

    // The document exists before the windows; the dialogs are what the list's commands ask
    // and report through.
    CMainFrame(document::CQ06KaoCgEditDoc& doc, document::IMessageDialog& dialog,
               document::IProgressWindow& progress, QWidget* parent = nullptr);
    ~CMainFrame() override;

    ui::CQ06KaoCgEditView& View() { return *m_view; }
    ui::CCGDialogBar& PreviewBar() { return *m_previewBar; }
    CFrameStatusBar& StatusBar() { return *m_statusBar; }
    // The menu command of an id; nullptr for an id the menu does not hold.
    QAction* CommandAction(int command) const;

    // Save enabled only while faces are unsaved, Initialize all only while some face differs
    // from the shipped one, and the title marked while faces are unsaved; Undo and Redo name
    // their step and are enabled only while there is one. Nothing before the roster is loaded:
    // until then the menu keeps every command enabled.
    void UpdateFrameState();

signals:
    // The About command; the application shows its About box.
    void aboutRequested();

protected:
    // Closing asks the document first, which may keep the editor open.
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateMenu();
    void CreateHistoryMenu();
    void UpdateHistoryCommands();
    QAction* AddCommand(int command, const QString& text, const QString& prompt);

    document::CQ06KaoCgEditDoc& m_doc;
    CFrameStatusBar* m_statusBar = nullptr;
    ui::CCGDialogBar* m_previewBar = nullptr;
    ui::CQ06KaoCgEditView* m_view = nullptr;
    std::map<int, QAction*> m_commands;
};

}  // namespace app
