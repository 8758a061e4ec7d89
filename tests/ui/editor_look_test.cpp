#include "ui/editor_look.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>

#include "dlg_test_helpers.h"
#include "resources/menu.h"
#include "ui/platform_message_box.h"
#include "ui/screen_fit.h"
#include "ui/wide_text.h"

namespace ui {
namespace {

TEST(EditorLook, QtsOwnButtonsSpeakTraditionalChinese) {
    ASSERT_TRUE(InstallQtTranslations(*qApp));
    QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel |
                             QDialogButtonBox::Open);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("取消"));
    EXPECT_EQ(buttons.button(QDialogButtonBox::Open)->text(), QStringLiteral("開啟"));
}

TEST(EditorLook, TheIconIsTheEditorsOwnAtEverySize) {
    const QIcon icon = EditorIcon();
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.pixmap(256, 256).size(), QSize(256, 256));
    EXPECT_FALSE(icon.pixmap(32, 32).toImage().isNull());
}

TEST(EditorLook, PlainMessageBoxesCarryTheEditorsTitle) {
    PlatformMessageBox box;
    QString title;
    uitest::OnModal([&title](QWidget* modal) {
        title = modal->windowTitle();
        static_cast<QMessageBox*>(modal)->buttons().front()->click();
    });
    box.Show(L"x");
    EXPECT_EQ(title, ToQString(resources::kMainWindowTitle));
}

// 800 x 600 is the smallest screen the start-up checks accept; a title bar of 30 and borders
// of 4 pixels leave 792 x 566 inside.
TEST(ScreenFit, OnTheSmallestScreenTheFrameSizesBecomeOuterOnes) {
    const QMargins frame(4, 30, 4, 4);
    const ClientSizes small = FitClientSizes({800, 600}, {400, 600}, frame, {800, 600});
    EXPECT_EQ(small.size, QSize(792, 566));
    EXPECT_EQ(small.minimum, QSize(400, 566));
    // A panel takes more of the screen.
    EXPECT_EQ(FitClientSizes({800, 600}, {400, 600}, frame, {800, 572}).size, QSize(792, 538));
    const ClientSizes large = FitClientSizes({800, 600}, {400, 600}, frame, {1920, 1050});
    EXPECT_EQ(large.size, QSize(800, 600));
    EXPECT_EQ(large.minimum, QSize(400, 600));
}

TEST(ScreenFit, AWindowWiderAndTallerThanTheScreenIsShrunkIntoIt) {
    QWidget window;
    FitToScreen(window, {3000, 2000}, {1000, 900});
    window.show();
    const QRect available = AvailableArea(window);
    EXPECT_LE(window.frameGeometry().width(), available.width());
    EXPECT_LE(window.frameGeometry().height(), available.height());
    EXPECT_LE(window.minimumHeight(), available.height());
}

}  // namespace
}  // namespace ui
