#include <QApplication>

#include "app/editor_app.h"
#include "app/main_frame.h"
#include "app/unattended_run.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
    QApplication qtApp(argc, argv);
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
