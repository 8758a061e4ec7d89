#include "app/display_info.h"

#include <QGuiApplication>
#include <QScreen>

namespace app {

DisplayInfo PrimaryDisplay() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return {};
    }
    const QSize size = screen->size();
    return {screen->depth(), size.width(), size.height()};
}

}  // namespace app
