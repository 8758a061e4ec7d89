#pragma once

#include <QString>
#include <chrono>
#include <memory>
#include <string_view>

#include "app/general_list_relay.h"
#include "app/startup_checks.h"
#include "document/document.h"
#include "document/feedback.h"
#include "platform/platform.h"
#include "ui/message_dialog_adapter.h"
#include "ui/platform_message_box.h"
#include "ui/progress_window_adapter.h"

class QWidget;

namespace app {

class CMainFrame;
class InstanceServer;

// The application: decides at start-up whether the editor may run, then owns what lives for
// the whole run (the platform, the settings, the editor's mutex and the socket that later
// starts knock on, the document and the main window).
class CQ06KaoCgEditApp {
public:
    struct Options {
        // The plain message box of the start-up failures and the document's loading
        // failures; null: a QMessageBox with only OK. Tests read the messages here.
        document::IMessageBox* messageBox = nullptr;
        // How long a later start keeps trying to reach the running editor.
        std::chrono::milliseconds reachTimeout{1000};
    };

    CQ06KaoCgEditApp(std::unique_ptr<platform::Platform> platform, Options options);
    explicit CQ06KaoCgEditApp(std::unique_ptr<platform::Platform> platform)
        : CQ06KaoCgEditApp(std::move(platform), Options{}) {}
    ~CQ06KaoCgEditApp();
    CQ06KaoCgEditApp(const CQ06KaoCgEditApp&) = delete;
    CQ06KaoCgEditApp& operator=(const CQ06KaoCgEditApp&) = delete;

    // The start-up: the checks, the windows, the title, showing the window and loading. True
    // when the editor is ready to run its event loop; otherwise ExitCode() tells how to end.
    bool InitInstance();
    int ExitCode() const { return m_exitCode; }

    const AppSettings& Settings() const { return m_settings; }
    platform::Platform& Platform() { return *m_platform; }
    // Null until InitInstance has made them.
    document::CQ06KaoCgEditDoc* Document() { return m_document.get(); }
    CMainFrame* MainFrame() { return m_frame.get(); }

private:
    bool Fail(std::wstring_view message);
    bool HandOverToRunningEditor(std::wstring_view message);
    void ListenForLaterStarts();
    void RaiseMainFrame();
    void CreateDocumentAndFrame();
    void ShowAbout();

    std::unique_ptr<platform::Platform> m_platform;
    Options m_options;
    ui::PlatformMessageBox m_plainMessageBox;
    document::IMessageBox& m_messageBox;
    AppSettings m_settings;
    std::unique_ptr<platform::NamedMutex> m_instanceMutex;
    std::unique_ptr<InstanceServer> m_server;
    QString m_socketPath;
    ui::MessageDialogAdapter m_dialog;
    ui::ProgressWindowAdapter m_progress;
    GeneralListRelay m_list;
    std::unique_ptr<document::CQ06KaoCgEditDoc> m_document;
    // Declared after the document so that it goes first: its windows work on the document.
    std::unique_ptr<CMainFrame> m_frame;
    int m_exitCode = 1;
};

}  // namespace app
