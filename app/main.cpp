#include <QApplication>

#include "app/editor_app.h"
#include "app/main_frame.h"
#include "app/unattended_run.h"
#include "platform/platform.h"
#include "ui/editor_look.h"

int main(int argc, char** argv) {
    QApplication qtApp(argc, argv);
    // Before the start-up checks, whose messages are the first windows.
    ui::InstallQtTranslations(qtApp);
    QApplication::setWindowIcon(ui::EditorIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("kaocg-editor"));
#ifdef _WIN32
    app::CQ06KaoCgEditApp editor(platform::CreateWin32Platform());
#else
    app::CQ06KaoCgEditApp editor(platform::CreateWinePlatform(platform::DefaultWinePrefix()));
#endif
    if (!editor.InitInstance()) {
        return editor.ExitCode();
    }
    app::ArmUnattendedRun(*editor.MainFrame());
    return QApplication::exec();
}
