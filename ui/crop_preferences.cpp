#include "ui/crop_preferences.h"

#include <QSettings>

namespace ui {

namespace {

QSettings EditorSettings() {
    return QSettings(QStringLiteral("TAVU"), QStringLiteral("KaoCgEdit"));
}

const QString kNearestKey = QStringLiteral("crop/nearestScaling");

}  // namespace

bool ReadNearestScaling() {
    return EditorSettings().value(kNearestKey, false).toBool();
}

void WriteNearestScaling(bool nearest) {
    EditorSettings().setValue(kNearestKey, nearest);
}

}  // namespace ui
