#include "ui/fonts.h"

#include <QStringList>

namespace ui {
namespace {

QFont MingFont(int pixelSize, QFont::Weight weight) {
    QFont font;
    font.setFamilies({QStringLiteral("MingLiU"), QStringLiteral("PMingLiU"),
                      QStringLiteral("AR PL UMing TW"), QStringLiteral("Noto Serif CJK TC")});
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    return font;
}

}  // namespace

QFont NormalFont() {
    return MingFont(16, QFont::Normal);
}

QFont BoldFont() {
    return MingFont(18, QFont::Bold);
}

}  // namespace ui
