#include "app/main_frame.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenuBar>
#include <QMouseEvent>

#include "app/frame_status_bar.h"
#include "resources/menu.h"
#include "resources/string_table.h"
#include "ui/cg_dialog_bar.h"
#include "ui/kao_cg_edit_view.h"
#include "ui/wide_text.h"

namespace app {
QString CMainFrame::Title(bool unsaved) {
    QString title = ui::ToQString(resources::kMainWindowTitle);
    if (unsaved) {
        title += ui::ToQString(resources::kUnsavedTitleMark);
    }
    return title;
}

CMainFrame::CMainFrame(document::CQ06KaoCgEditDoc& doc, document::IMessageDialog& dialog,
                       document::IProgressWindow& progress, QWidget* parent)
    : QMainWindow(parent), m_doc(doc) {
    setObjectName(QStringLiteral("mainFrame"));
    setWindowTitle(Title());
    setMinimumSize(kMinimumWidth, kMinimumHeight);
    resize(kInitialWidth, kInitialHeight);

    m_statusBar = new CFrameStatusBar(this);
    setStatusBar(m_statusBar);
    m_previewBar = new ui::CCGDialogBar(doc, this);
    addDockWidget(Qt::LeftDockWidgetArea, m_previewBar);
    m_view = new ui::CQ06KaoCgEditView(doc, dialog, progress, this);
    m_view->SetPreviewBar(m_previewBar);
    setCentralWidget(m_view);
    CreateMenu();
    connect(m_view, &ui::CQ06KaoCgEditView::frameStateChanged, this, &CMainFrame::UpdateFrameState);
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::CreateMenu() {
    // A row of commands without submenus: a global menu bar would drop bare actions, so the
    // bar stays in the window.
    menuBar()->setNativeMenuBar(false);
    menuBar()->installEventFilter(this);
    for (const resources::MenuCommand& command : resources::kMainMenu) {
        AddCommand(command.id, ui::ToQString(command.text), ui::LoadQString(command.id));
    }
    QAction* load = CommandAction(kLoadImage);
    QAction* change = CommandAction(kChangeImage);
    QAction* save = CommandAction(kSave);
    QAction* reset = CommandAction(kInitializeAll);
    QAction* search = CommandAction(kSearch);
    QAction* about = CommandAction(kAbout);
    QAction* exit = CommandAction(kExit);
    save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));

    connect(load, &QAction::triggered, m_view, &ui::CQ06KaoCgEditView::OnLoadImage);
    connect(change, &QAction::triggered, m_view, &ui::CQ06KaoCgEditView::OnChangeImage);
    connect(save, &QAction::triggered, m_view, &ui::CQ06KaoCgEditView::OnSave);
    connect(reset, &QAction::triggered, m_view, &ui::CQ06KaoCgEditView::OnInitializeAll);
    connect(search, &QAction::triggered, m_view, &ui::CQ06KaoCgEditView::OnSearch);
    connect(about, &QAction::triggered, this, &CMainFrame::aboutRequested);
    connect(exit, &QAction::triggered, this, &QWidget::close);
    CreateHistoryMenu();
}

void CMainFrame::CreateHistoryMenu() {
    for (const resources::MenuCommand& command : resources::kHistoryMenu) {
        AddCommand(command.id, ui::ToQString(command.text), ui::LoadQString(command.id));
    }
    QAction* undo = CommandAction(kUndo);
    QAction* redo = CommandAction(kRedo);
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(undo, &QAction::triggered, m_view, &ui::CQ06KaoCgEditView::OnUndo);
    connect(redo, &QAction::triggered, m_view, &ui::CQ06KaoCgEditView::OnRedo);
}

// "復原 變更圖像(&U)": the step's name goes before the mnemonic.
void CMainFrame::UpdateHistoryCommands() {
    const document::EditHistory& history = m_doc.History();
    for (const resources::MenuCommand& command : resources::kHistoryMenu) {
        const document::EditStep* step =
            command.id == kUndo ? history.NextUndo() : history.NextRedo();
        const std::size_t mnemonic = command.text.find(L'(');
        QString text = ui::ToQString(command.text.substr(0, mnemonic));
        if (step != nullptr) {
            text += QLatin1Char(' ') + ui::ToQString(step->Name());
        }
        text += ui::ToQString(command.text.substr(mnemonic));
        CommandAction(command.id)->setText(text);
        CommandAction(command.id)->setEnabled(step != nullptr);
    }
}

QAction* CMainFrame::AddCommand(int command, const QString& text, const QString& prompt) {
    QAction* action = menuBar()->addAction(text);
    action->setStatusTip(prompt);
    m_commands[command] = action;
    return action;
}

QAction* CMainFrame::CommandAction(int command) const {
    const auto found = m_commands.find(command);
    return found != m_commands.end() ? found->second : nullptr;
}

void CMainFrame::UpdateFrameState() {
    const roster::bushou_manager* generals = m_doc.GeneralManager();
    if (generals == nullptr) {
        return;
    }
    const bool unsaved = generals->HasUnsavedChanges();
    CommandAction(kSave)->setEnabled(unsaved);
    CommandAction(kInitializeAll)->setEnabled(generals->DiffersFromShipped());
    UpdateHistoryCommands();
    setWindowTitle(Title(unsaved));
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    // The menu bar shows a command's prompt when it is highlighted but leaves it standing
    // afterwards; once no command is highlighted the status bar is idle again.
    if (watched == menuBar() &&
        (event->type() == QEvent::Leave || event->type() == QEvent::FocusOut)) {
        m_statusBar->clearMessage();
    }
    // Nor does it highlight a greyed command; its prompt still says what the command is for.
    if (watched == menuBar() && event->type() == QEvent::MouseMove) {
        const QAction* action =
            menuBar()->actionAt(static_cast<QMouseEvent*>(event)->position().toPoint());
        if (action != nullptr && !action->isEnabled()) {
            m_statusBar->showMessage(action->statusTip());
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (m_doc.SaveModified()) {
        event->accept();
    } else {
        event->ignore();
    }
}

}  // namespace app
