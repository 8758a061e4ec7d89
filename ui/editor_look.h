#pragma once

#include <QIcon>

class QCoreApplication;

namespace ui {

// The editor's own icon, drawn for it: a portrait inside a crop frame.
QIcon EditorIcon();

// Loads Qt's own texts (the file dialog, the standard buttons) in Traditional Chinese from the
// translations installed with Qt, for the rest of the process. False when they are not
// installed: Qt then speaks English.
bool InstallQtTranslations(QCoreApplication& application);

}  // namespace ui
