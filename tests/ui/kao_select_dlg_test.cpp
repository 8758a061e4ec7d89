#include "ui/kao_select_dlg.h"

#include <gtest/gtest.h>

#include "dlg_test_helpers.h"
#include "document/registration.h"
#include "kao_select_dlg_fixture.h"
#include "kaocg/face_number_map.h"
#include "ui/kao_select_kinds.h"
#include "ui/wide_text.h"

namespace kaoselect_test {
namespace {

using ui::CKaoSelectDlg;
using KaoSelectZV = KaoSelectFixture;

QStringList Labels(const CKaoSelectDlg& dialog) {
    QStringList labels;
    for (int i = 0; i < dialog.KindCombo()->count(); ++i)
        labels << dialog.KindCombo()->itemText(i);
    return labels;
}

const QStringList kEditLabels{"追加(一)", "追加(二)", "追加(三)", "追加(四)", "追加(五)"};

TEST(KaoSelectKinds, ListedNumbersLeaveOutTheExcludedOnes) {
    const auto base = ui::ListedFaceNumbers(kaocg_func::kEditionBase, 9);
    EXPECT_EQ(base.size(), 179u - 5u);
    EXPECT_EQ(base.back(), 8178);
    EXPECT_EQ(std::ranges::count(base, 8021) + std::ranges::count(base, 8120), 0);
    EXPECT_EQ(ui::ListedFaceNumbers(kaocg_func::kEditionZV, 9).back(), 8179);

    const auto zv = ui::ListedFaceNumbers(kaocg_func::kEditionZV, 10);
    EXPECT_EQ(zv.size(), 146u - 21u);
    EXPECT_EQ(zv[5], 1197);
    EXPECT_EQ(zv[6], 1219);
    // The base edition never lists the ZV additions, but its numbers have no gap.
    EXPECT_TRUE(ui::IsExcludedFaceNumber(kaocg_func::kEditionBase, 8095));
    EXPECT_FALSE(ui::IsExcludedFaceNumber(kaocg_func::kEditionBase, 1200));
}

TEST(KaoSelectKinds, AnswersSkipOnlyTheFiveRegisteredGeneralNumbers) {
    // Past 8021 the answer must still be the listed number.
    const auto listed = ui::ListedFaceNumbers(kaocg_func::kEditionZV, 9);
    for (int row : {0, 20, 21, 55, 173})
        EXPECT_EQ(ui::AnsweredFaceNumber(kaocg_func::kEditionZV, 9, row), listed[row]) << row;
    EXPECT_EQ(ui::AnsweredFaceNumber(kaocg_func::kEditionZV, 10, 6), 1198);
    EXPECT_EQ(ui::AnsweredFaceNumber(kaocg_func::kEditionZV, 10, -1), -1);
}

TEST_F(KaoSelectZV, ChangeModeOffersEveryKindAndRegisterModeTheEditOnes) {
    auto change = Open(CKaoSelectDlg::kModeChange);
    const QStringList labels = Labels(*change);
    // Kinds 0..15: every edit kind stays reachable, or faces registered there could never be
    // given to a general.
    ASSERT_EQ(labels.size(), 16);
    EXPECT_EQ(labels.front(), QStringLiteral("史實武將(一)"));
    EXPECT_EQ(labels[9], QStringLiteral("登錄武將"));
    EXPECT_EQ(labels[10], QStringLiteral("ＺＶ追加"));
    EXPECT_EQ(labels.mid(11), kEditLabels);
    EXPECT_EQ(change->windowTitle(), QStringLiteral("選擇容貌ＣＧ"));

    auto registering = Open(CKaoSelectDlg::kModeRegister);
    EXPECT_EQ(Labels(*registering), kEditLabels);
    EXPECT_EQ(registering->windowTitle(), QStringLiteral("登錄容貌ＣＧ"));
    EXPECT_EQ(registering->FaceList()->count(), 240);
    EXPECT_FALSE(registering->OkButton()->isEnabled());
}

TEST_F(KaoSelectBase, TheBaseEditionHasNoZVAdditions) {
    auto dialog = Open(CKaoSelectDlg::kModeChange);
    const QStringList labels = Labels(*dialog);
    ASSERT_EQ(labels.size(), 15);
    EXPECT_FALSE(labels.contains(QStringLiteral("ＺＶ追加")));
    ChooseKind(*dialog, QStringLiteral("登錄武將"));
    EXPECT_EQ(dialog->FaceList()->count(), 174);
    EXPECT_EQ(RowOf(*dialog, 8179), -1);
    EXPECT_EQ(RowOf(*dialog, 8056), -1);
}

TEST_F(KaoSelectZV, ItemsNameTheFirstGeneralUsingTheFace) {
    roster::bushou* first = Changeable(0);
    roster::bushou* second = Changeable(1);
    second->SetCurrentFace(1705);
    first->SetCurrentFace(1705);
    auto dialog = Open(CKaoSelectDlg::kModeChange);
    ChooseKind(*dialog, QStringLiteral("追加(一)"));
    EXPECT_EQ(TextOf(*dialog, 1705), QStringLiteral("1705\n") + ui::ToQString(first->Name()));
    EXPECT_EQ(TextOf(*dialog, 1704), QStringLiteral("1704\n未登錄"));
    EXPECT_FALSE(dialog->FaceList()->item(0)->icon().isNull());
}

TEST_F(KaoSelectZV, ASlotWithAPictureNoGeneralWearsIsToldApartFromAnEmptyOne) {
    auto dib = picture::CDIB::CreateWithPixels(240, -240, {}, 24);
    ASSERT_TRUE(dib && dib->Fill(0x808080));
    ASSERT_TRUE(document::RegisterFace(doc, *dib, *dib, *dib, 1706));
    auto dialog = Open(CKaoSelectDlg::kModeChange);
    ChooseKind(*dialog, QStringLiteral("追加(一)"));
    EXPECT_EQ(TextOf(*dialog, 1706), QStringLiteral("1706\n未分配"));
    EXPECT_EQ(TextOf(*dialog, 1707), QStringLiteral("1707\n未登錄"));
}

TEST_F(KaoSelectZV, EditSlotsNeedARegisteredPictureOnlyInChangeMode) {
    auto change = Open(CKaoSelectDlg::kModeChange);
    ChooseKind(*change, QStringLiteral("追加(一)"));
    Select(*change, 1705);
    EXPECT_FALSE(change->OkButton()->isEnabled());

    auto registering = Open(CKaoSelectDlg::kModeRegister);
    Select(*registering, 1705);
    EXPECT_TRUE(registering->OkButton()->isEnabled());

    auto large = picture::CDIB::CreateWithPixels(240, -240, {}, 24);
    auto medium = picture::CDIB::CreateWithPixels(96, -120, {}, 24);
    auto small = picture::CDIB::CreateWithPixels(60, -60, {}, 24);
    ASSERT_TRUE(large && medium && small);
    ASSERT_TRUE(large->Fill(0x808080));
    ASSERT_TRUE(document::RegisterFace(doc, *large, *medium, *small, 1705));
    auto again = Open(CKaoSelectDlg::kModeChange);
    ChooseKind(*again, QStringLiteral("追加(一)"));
    Select(*again, 1705);
    EXPECT_TRUE(again->OkButton()->isEnabled());
    // Moving to an empty slot disables it again, so it never answers an empty slot.
    Select(*again, 1706);
    EXPECT_FALSE(again->OkButton()->isEnabled());
}

TEST_F(KaoSelectZV, StockKindsEnableOkOnceAnItemIsSelected) {
    auto dialog = Open(CKaoSelectDlg::kModeChange);
    ChooseKind(*dialog, QStringLiteral("公主"));
    EXPECT_EQ(dialog->FaceList()->count(), 24);
    EXPECT_FALSE(dialog->OkButton()->isEnabled());
    Select(*dialog, 4003);
    EXPECT_TRUE(dialog->OkButton()->isEnabled());
    dialog->OkButton()->click();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->SelectedFaceNumber(), 4003);
}

TEST_F(KaoSelectZV, AnItemAfterTheGapAnswers21Lower) {
    auto dialog = Open(CKaoSelectDlg::kModeChange);
    ChooseKind(*dialog, QStringLiteral("ＺＶ追加"));
    EXPECT_EQ(dialog->FaceList()->count(), 125);
    EXPECT_EQ(RowOf(*dialog, 1198), -1);
    EXPECT_EQ(RowOf(*dialog, 1218), -1);
    Select(*dialog, 1219);
    dialog->OkButton()->click();
    EXPECT_EQ(dialog->SelectedFaceNumber(), 1198);
    EXPECT_EQ(document::ListedFaceNumber(doc.Edition(), dialog->SelectedFaceNumber()), 1219);
}

TEST_F(KaoSelectZV, TheDocumentRemembersTheChangeModeKind) {
    {
        auto dialog = Open(CKaoSelectDlg::kModeChange);
        EXPECT_EQ(dialog->KindCombo()->currentIndex(), 0);
        dialog->KindCombo()->setCurrentIndex(7);
    }
    EXPECT_EQ(doc.SelectKindPosition(), 7);
    auto registering = Open(CKaoSelectDlg::kModeRegister);
    EXPECT_EQ(registering->KindCombo()->currentIndex(), 0);
    registering->KindCombo()->setCurrentIndex(2);
    EXPECT_EQ(doc.SelectKindPosition(), 7);

    auto reopened = Open(CKaoSelectDlg::kModeChange);
    EXPECT_EQ(reopened->KindCombo()->currentIndex(), 7);
    EXPECT_EQ(reopened->FaceList()->count(), 27);
    EXPECT_EQ(RowOf(*reopened, 6000), 0);
    EXPECT_EQ(doc.SelectKindPosition(), 7) << "opening must not overwrite the position";
}

TEST_F(KaoSelectZV, RegisterGuidesShowUntilTheirFlagsAreSet) {
    platform::Registry& registry = doc.Platform().GetRegistry();
    ASSERT_TRUE(registry.KeyExists(game::kConfigsKey));
    {
        auto dialog = Open(CKaoSelectDlg::kModeRegister);
        ShowAndSettle(*dialog);
        EXPECT_EQ(Shown(resources::IDS_REGISTER_GUIDE), 1);
        ShowAndSettle(*dialog);
        EXPECT_EQ(Shown(resources::IDS_REGISTER_GUIDE), 1) << "once per opening";
        Select(*dialog, 1701);
        dialog->OkButton()->click();
        EXPECT_EQ(Shown(resources::IDS_REGISTERED_GUIDE), 1);
        EXPECT_EQ(dialog->SelectedFaceNumber(), 1701);
    }
    ASSERT_TRUE(game::WriteConfigFlag(registry, game::kGuideFlagRegister, 1));
    ASSERT_TRUE(game::WriteConfigFlag(registry, game::kGuideFlagRegistered, 1));
    ui.ClearRecords();
    auto dialog = Open(CKaoSelectDlg::kModeRegister);
    ShowAndSettle(*dialog);
    Select(*dialog, 1702);
    dialog->OkButton()->click();
    EXPECT_TRUE(ui.dialogs.empty());
    EXPECT_EQ(dialog->SelectedFaceNumber(), 1702);
}

TEST_F(KaoSelectZV, ChangeModeShowsNoGuides) {
    auto dialog = Open(CKaoSelectDlg::kModeChange);
    ShowAndSettle(*dialog);
    Select(*dialog, 3);
    dialog->OkButton()->click();
    EXPECT_TRUE(ui.dialogs.empty());
    EXPECT_EQ(dialog->SelectedFaceNumber(), 3);
}

TEST_F(KaoSelectZV, CancelRunsModallyAndChoosesNothing) {
    auto dialog = Open(CKaoSelectDlg::kModeChange);
    uitest::OnModal([](QWidget* modal) {
        auto* self = qobject_cast<CKaoSelectDlg*>(modal);
        ASSERT_NE(self, nullptr);
        Select(*self, 2);
        EXPECT_TRUE(self->OkButton()->isEnabled());
        self->resize(720, 520);
        uitest::SaveScreenshot(*self, QStringLiteral("kao_select_dialog"));
        uitest::ButtonWithText(modal, QStringLiteral("中止"))->click();
    });
    EXPECT_EQ(dialog->exec(), QDialog::Rejected);
    EXPECT_EQ(dialog->SelectedFaceNumber(), -1);
}

}  // namespace
}  // namespace kaoselect_test
