#include "ui/guide_message.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <memory>

#include "dlg_test_helpers.h"
#include "document/game_environment.h"
#include "platform/platform.h"
#include "resources/string_table.h"
#include "support/temp_prefix.h"
#include "ui/message_dialog_adapter.h"

namespace ui {
namespace {

const std::wstring_view kText = resources::LoadString(resources::IDS_REGISTER_GUIDE);

// Answers the guide message the way a user would, with or without ticking the box.
void AnswerWithBox(bool tick) {
    uitest::OnModal([tick](QWidget* modal) {
        QCheckBox* box = modal->findChild<QCheckBox*>();
        ASSERT_NE(box, nullptr);
        EXPECT_TRUE(box->isVisible());
        if (tick)
            box->click();
        uitest::ButtonWithText(modal, QStringLiteral("確認"))->click();
    });
}

class GuideMessage : public ::testing::Test {
protected:
    void WithConfigsKey() { prefix.Key("Software\\\\TAVU\\\\Quorvane06ZV Tc\\\\Configs"); }
    std::unique_ptr<platform::Platform> Reopen() {
        return platform::CreateWinePlatform(prefix.Path());
    }

    testsupport::TempPrefix prefix;
    MessageDialogAdapter dialog;
};

TEST_F(GuideMessage, ATickedBoxIsStoredAndTheMessageShowsNoMore) {
    WithConfigsKey();
    prefix.WriteRegistry();
    auto platform = Reopen();
    AnswerWithBox(true);
    EXPECT_TRUE(ShowGuideMessage(platform->GetRegistry(), game::kGuideFlagRegister, kText, dialog));

    auto reopened = Reopen();
    EXPECT_EQ(game::ReadConfigFlag(reopened->GetRegistry(), game::kGuideFlagRegister), 1u);
    EXPECT_EQ(game::ReadConfigFlag(reopened->GetRegistry(), game::kGuideFlagRegistered), 0u);
    EXPECT_FALSE(
        ShowGuideMessage(reopened->GetRegistry(), game::kGuideFlagRegister, kText, dialog));
}

TEST_F(GuideMessage, AnUntickedBoxShowsTheMessageAgain) {
    WithConfigsKey();
    prefix.WriteRegistry();
    auto platform = Reopen();
    AnswerWithBox(false);
    EXPECT_TRUE(
        ShowGuideMessage(platform->GetRegistry(), game::kGuideFlagRegistered, kText, dialog));
    EXPECT_EQ(game::ReadConfigFlag(Reopen()->GetRegistry(), game::kGuideFlagRegistered), 0u);
    AnswerWithBox(true);
    EXPECT_TRUE(
        ShowGuideMessage(platform->GetRegistry(), game::kGuideFlagRegistered, kText, dialog));
    EXPECT_EQ(game::ReadConfigFlag(Reopen()->GetRegistry(), game::kGuideFlagRegistered), 1u);
}

TEST_F(GuideMessage, WithoutTheConfigsKeyItShowsEveryTimeAndStoresNothing) {
    prefix.WriteRegistry();
    auto platform = Reopen();
    AnswerWithBox(true);
    EXPECT_TRUE(ShowGuideMessage(platform->GetRegistry(), game::kGuideFlagRegister, kText, dialog));
    EXPECT_FALSE(platform->GetRegistry().KeyExists(game::kConfigsKey));
    AnswerWithBox(true);
    EXPECT_TRUE(ShowGuideMessage(platform->GetRegistry(), game::kGuideFlagRegister, kText, dialog));
}

}  // namespace
}  // namespace ui
