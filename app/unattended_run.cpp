#include "app/unattended_run.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace app {
namespace {

// A window that never gets painted (no compositor, a lost expose) is still saved after this.
constexpr int kLongestWaitForPaintMs = 5000;

class ScreenshotAfterPaint : public QObject {
public:
    ScreenshotAfterPaint(QWidget& window, QString path, std::function<void(int)> quit)
        : QObject(&window), m_window(window), m_path(std::move(path)), m_quit(std::move(quit)) {
        window.installEventFilter(this);
        QTimer::singleShot(kLongestWaitForPaintMs, this, &ScreenshotAfterPaint::Schedule);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &m_window && event->type() == QEvent::Paint) {
            Schedule();
        }
        return false;
    }

private:
    // The paint event is seen before it is handled; the children paint after it.
    void Schedule() {
        if (m_scheduled) {
            return;
        }
        m_scheduled = true;
        QTimer::singleShot(0, this, &ScreenshotAfterPaint::SaveAndQuit);
    }

    void SaveAndQuit() {
        const bool saved = m_window.grab().save(m_path, "PNG");
        if (!saved) {
            std::fprintf(stderr, "kaocg-editor: cannot save the screenshot to %s\n",
                         qPrintable(m_path));
        }
        m_quit(saved ? 0 : 1);
    }

    QWidget& m_window;
    QString m_path;
    std::function<void(int)> m_quit;
    bool m_scheduled = false;
};

bool IsSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && value[0] != '\0' && std::string_view(value) != "0";
}

}  // namespace

void ArmUnattendedRun(QWidget& mainWindow, std::function<void(int)> quit) {
    if (const char* path = std::getenv("KAOCG_SCREENSHOT"); path != nullptr && path[0] != '\0') {
        new ScreenshotAfterPaint(mainWindow, QString::fromLocal8Bit(path), std::move(quit));
    } else if (IsSet("KAOCG_EXIT_AFTER_LOAD")) {
        QTimer::singleShot(0, &mainWindow, [quit = std::move(quit)] { quit(0); });
    }
}

}  // namespace app
