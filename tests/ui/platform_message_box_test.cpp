#include "ui/platform_message_box.h"

#include <gtest/gtest.h>

#include <QMessageBox>
#include <QPushButton>

#include "dlg_test_helpers.h"
#include "resources/string_table.h"
#include "ui/wide_text.h"

namespace ui {
namespace {

TEST(PlatformMessageBox, ShowsTheTextWithOnlyOk) {
    PlatformMessageBox box;
    bool seen = false;
    uitest::OnModal([&seen](QWidget* modal) {
        auto* messageBox = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(messageBox, nullptr);
        seen = true;
        EXPECT_EQ(messageBox->text(), LoadQString(resources::IDS_FILE_READ_FAILED));
        EXPECT_EQ(messageBox->buttons().size(), 1);
        EXPECT_EQ(messageBox->standardButton(messageBox->buttons().front()), QMessageBox::Ok);
        messageBox->buttons().front()->click();
    });
    box.Show(resources::LoadString(resources::IDS_FILE_READ_FAILED));
    EXPECT_TRUE(seen);
}

}  // namespace
}  // namespace ui
