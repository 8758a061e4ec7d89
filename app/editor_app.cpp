#include "app/editor_app.h"

#include <QApplication>
#include <QString>
#include <cstdio>

#include "app/bring_forward.h"
#include "app/display_info.h"
#include "app/instance_channel.h"
#include "app/main_frame.h"
#include "ui/about_dlg.h"
#include "ui/editor_look.h"
#include "ui/fonts.h"
#include "ui/kao_cg_edit_view.h"
#include "ui/screen_fit.h"

namespace app {

CQ06KaoCgEditApp::CQ06KaoCgEditApp(std::unique_ptr<platform::Platform> platform, Options options)
    : m_platform(std::move(platform)),
      m_options(options),
      m_messageBox(options.messageBox != nullptr ? *options.messageBox : m_plainMessageBox) {}

CQ06KaoCgEditApp::~CQ06KaoCgEditApp() = default;

bool CQ06KaoCgEditApp::InitInstance() {
    StartupResult checks = RunStartupChecks(*m_platform, PrimaryDisplay());
    if (checks.outcome == StartupOutcome::kAlreadyRunning) {
        m_socketPath =
            InstanceSocketPath(m_platform->GetFileSystem().HostPath(checks.instanceLockPath));
        return HandOverToRunningEditor(checks.message);
    }
    if (checks.outcome != StartupOutcome::kReady) {
        return Fail(checks.message);
    }
    m_instanceMutex = std::move(checks.instanceMutex);
    m_socketPath =
        InstanceSocketPath(m_platform->GetFileSystem().HostPath(checks.instanceLockPath));
    m_settings = std::move(checks.settings);
    ListenForLaterStarts();

    QApplication::setFont(ui::NormalFont());
    CreateDocumentAndFrame();
    m_frame->setWindowTitle(CMainFrame::Title());
    m_frame->setWindowIcon(ui::EditorIcon());
    // On the smallest screen the start-up checks accept, the frame's sizes are its outer ones.
    ui::FitToScreen(*m_frame, QSize(CMainFrame::kInitialWidth, CMainFrame::kInitialHeight),
                    QSize(CMainFrame::kMinimumWidth, CMainFrame::kMinimumHeight));
    m_frame->show();
    if (!m_document->LoadAllData()) {
        return Fail({});
    }
    m_exitCode = 0;
    return true;
}

// An empty message: the one that ends start-up has been shown already.
bool CQ06KaoCgEditApp::Fail(std::wstring_view message) {
    if (!message.empty()) {
        m_messageBox.Show(message);
    }
    m_exitCode = 1;
    return false;
}

// The running editor is found through its socket rather than by its window title, which
// carries "(有變更)" while faces are unsaved: a search by title would miss it then and tell the
// user that someone else is using the editor.
bool CQ06KaoCgEditApp::HandOverToRunningEditor(std::wstring_view message) {
    if (!AskRunningEditorToRaise(m_socketPath, m_options.reachTimeout)) {
        return Fail(message);
    }
    m_exitCode = 0;
    return false;
}

void CQ06KaoCgEditApp::ListenForLaterStarts() {
    m_server = std::make_unique<InstanceServer>([this] { RaiseMainFrame(); });
    const QString& path = m_socketPath;
    // Without the socket the editor still works; later starts then show the message instead
    // of bringing this window forward.
    if (!m_server->Listen(path)) {
        std::fprintf(stderr, "kaocg-editor: cannot listen on %s\n", qPrintable(path));
    }
}

// A request that comes before the window exists needs nothing: the window is about to show.
void CQ06KaoCgEditApp::RaiseMainFrame() {
    if (m_frame) {
        BringForward(*m_frame);
    }
}

void CQ06KaoCgEditApp::CreateDocumentAndFrame() {
    m_document = std::make_unique<document::CQ06KaoCgEditDoc>(
        *m_platform, m_settings,
        document::CQ06KaoCgEditDoc::Ui{m_messageBox, m_dialog, m_progress, m_list});
    m_frame = std::make_unique<CMainFrame>(*m_document, m_dialog, m_progress);
    m_list.SetTarget(&m_frame->View());
    m_plainMessageBox.SetParent(m_frame.get());
    m_dialog.SetParent(m_frame.get());
    m_progress.SetParent(m_frame.get());
    QObject::connect(m_frame.get(), &CMainFrame::aboutRequested, m_frame.get(),
                     [this] { ShowAbout(); });
}

void CQ06KaoCgEditApp::ShowAbout() {
    ui::CAboutDlg about(m_frame.get());
    about.exec();
}

}  // namespace app
