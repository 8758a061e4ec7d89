#include "ui/about_dlg.h"

#include <gtest/gtest.h>

#include "dlg_test_helpers.h"

namespace ui {
namespace {

TEST(AboutDlg, ShowsTitleVersionAndRightsAndClosesWithTheButton) {
    CAboutDlg dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("版本資訊『Quorvane』容貌變更編輯器"));
    EXPECT_EQ(dialog.TitleLine(), QStringLiteral("『Quorvane』 容貌變更編輯器 Version 1.11"));
    EXPECT_FALSE(dialog.RightsLine().isEmpty());
    uitest::OnModal([](QWidget* modal) {
        uitest::SaveScreenshot(*modal, QStringLiteral("about"));
        QAbstractButton* ok = uitest::ButtonWithText(modal, QStringLiteral("確定"));
        ASSERT_NE(ok, nullptr);
        ok->click();
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
}

}  // namespace
}  // namespace ui
