#include "ui/editor_look.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

// A resource compiled into a static library is registered only when asked for; outside any
// namespace, as the macro requires.
static void RegisterEditorIcon() {
    Q_INIT_RESOURCE(editor_icon);
}

namespace ui {

QIcon EditorIcon() {
    static const bool registered = (RegisterEditorIcon(), true);
    (void)registered;
    return QIcon(QStringLiteral(":/kaocg/kaocg-editor.png"));
}

// The editor's texts are Traditional Chinese whatever the user's locale, so Qt's follow them
// rather than the system's language.
bool InstallQtTranslations(QCoreApplication& application) {
    auto* translator = new QTranslator(&application);
    const bool loaded =
        translator->load(QLocale(QLocale::Chinese, QLocale::TraditionalHanScript, QLocale::Taiwan),
                         QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (!loaded || !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}

}  // namespace ui
