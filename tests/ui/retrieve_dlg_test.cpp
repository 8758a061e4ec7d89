// The search dialog over the main list of a loaded installation.
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include "main_window_fixture.h"
#include "ui/retrieve_dlg.h"

namespace mainwindow_test {
namespace {

using ui::SearchDirection;

class SearchDialog : public MainWindow {
protected:
    void SetUp() override {
        MainWindow::SetUp();
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
        View().OnSearch();
    }

    ui::CRetrieveDlg& Dialog() { return View().SearchDialog(); }

    // The items whose general's name holds the text, found by reading every item.
    std::vector<int> ItemsNamed(const std::wstring& text) {
        std::vector<int> items;
        for (int item = 0; item < View().ItemCount(); ++item) {
            if (GeneralOfItem(item).Name().find(text) != std::wstring::npos) {
                items.push_back(item);
            }
        }
        return items;
    }

    // An item at or after `from` whose name no other item holds.
    int UniquelyNamedItem(int from) {
        for (int item = from; item < View().ItemCount(); ++item) {
            if (ItemsNamed(GeneralOfItem(item).Name()).size() == 1) {
                return item;
            }
        }
        return -1;
    }

    // A text several names share: the family name of the first general.
    std::wstring CommonText() { return GeneralOfItem(0).Name().substr(0, 1); }

    int FindNext(const std::wstring& text, SearchDirection direction) {
        Dialog().SetSearchText(QString::fromStdWString(text));
        Dialog().SetDirection(direction);
        QTest::mouseClick(Dialog().findChild<QPushButton*>(QStringLiteral("findNext")),
                          Qt::LeftButton);
        return View().SelectedItem();
    }
};

TEST_F(SearchDialog, OpensModelessCentredOverTheList) {
    EXPECT_TRUE(Dialog().isVisible());
    EXPECT_FALSE(Dialog().isModal());
    EXPECT_EQ(Dialog().windowTitle(), QStringLiteral("搜尋文字"));
    const QPoint listCentre = View().mapToGlobal(View().rect().center());
    EXPECT_LE((Dialog().frameGeometry().center() - listCentre).manhattanLength(), 4);
    EXPECT_EQ(Dialog().Direction(), SearchDirection::kDown);
}

TEST_F(SearchDialog, FindsInBothDirectionsAndWrapsRound) {
    const std::wstring text = CommonText();
    const std::vector<int> named = ItemsNamed(text);
    ASSERT_GE(named.size(), 3u);
    // Item 0 matches and is selected: down goes on to the next match, up wraps to the last.
    EXPECT_EQ(FindNext(text, SearchDirection::kDown), named[1]);
    EXPECT_EQ(FindNext(text, SearchDirection::kDown), named[2]);
    EXPECT_EQ(FindNext(text, SearchDirection::kUp), named[1]);
    EXPECT_EQ(FindNext(text, SearchDirection::kUp), named[0]);
    EXPECT_EQ(FindNext(text, SearchDirection::kUp), named.back());
    EXPECT_EQ(FindNext(text, SearchDirection::kDown), named[0]);
    EXPECT_EQ(frame->PreviewBar().ShownName().toStdWString(), GeneralOfItem(named[0]).Name());
    EXPECT_TRUE(ui.dialogs.empty());
}

TEST_F(SearchDialog, WithoutASelectionDownStartsAtTheTopAndUpAtTheBottom) {
    const std::wstring text = CommonText();
    const std::vector<int> named = ItemsNamed(text);
    View().SelectItem(named[1]);
    View().selectionModel()->clearSelection();
    ASSERT_EQ(View().SelectedItem(), -1);
    EXPECT_EQ(FindNext(text, SearchDirection::kDown), named[0]);
    View().selectionModel()->clearSelection();
    EXPECT_EQ(FindNext(text, SearchDirection::kUp), named.back());
    EXPECT_EQ(frame->PreviewBar().ShownName().toStdWString(), GeneralOfItem(named.back()).Name());
}

TEST_F(SearchDialog, AFullNameFindsItsGeneralAndTheSameOneAgain) {
    const int item = UniquelyNamedItem(View().ItemCount() - 40);
    ASSERT_GE(item, 0);
    const std::wstring name = GeneralOfItem(item).Name();
    EXPECT_EQ(FindNext(name, SearchDirection::kDown), item);
    EXPECT_EQ(frame->PreviewBar().ShownName().toStdWString(), name);
    EXPECT_EQ(FindNext(name, SearchDirection::kDown), item);
    EXPECT_EQ(FindNext(name, SearchDirection::kUp), item);
    // The list scrolled to it.
    EXPECT_TRUE(
        View().viewport()->rect().intersects(View().visualRect(View().model()->index(item, 0))));
}

TEST_F(SearchDialog, NoMatchShowsTheNoticeAndKeepsTheSelection) {
    View().SelectItem(4);
    EXPECT_EQ(FindNext(L"不存在的名字", SearchDirection::kDown), 4);
    ASSERT_EQ(ui.dialogs.size(), 1u);
    EXPECT_EQ(ui.dialogs[0], Text(resources::IDS_GENERAL_NOT_FOUND));
    EXPECT_EQ(ui.kinds[0], document::IMessageDialog::kConfirm);
    ASSERT_NE(View().SearchDialog().focusWidget(), nullptr);
    EXPECT_EQ(View().SearchDialog().focusWidget()->objectName(), QStringLiteral("searchText"))
        << "the player types the next name at once";
    // The changed mark is not part of a name.
    ChangeFace(6, 1707);
    View().FillList();
    EXPECT_EQ(FindNext(L"變更", SearchDirection::kDown), 4) << "the refill kept the selection";
    EXPECT_EQ(ui.dialogs.size(), 2u);
}

TEST_F(SearchDialog, AnEmptyTextDoesNothing) {
    View().SelectItem(4);
    EXPECT_EQ(FindNext(L"", SearchDirection::kDown), 4);
    EXPECT_TRUE(ui.dialogs.empty());
}

TEST_F(SearchDialog, EnterSearchesAndCancelOnlyHidesKeepingTextAndDirection) {
    const int item = UniquelyNamedItem(30);
    ASSERT_GE(item, 0);
    const std::wstring name = GeneralOfItem(item).Name();
    Dialog().SetSearchText(QString::fromStdWString(name));
    Dialog().SetDirection(SearchDirection::kUp);
    QTest::keyClick(Dialog().findChild<QLineEdit*>(QStringLiteral("searchText")), Qt::Key_Return);
    EXPECT_EQ(View().SelectedItem(), item);

    QPointer<ui::CRetrieveDlg> dialog(&Dialog());
    QTest::mouseClick(Dialog().findChild<QPushButton*>(QStringLiteral("cancel")), Qt::LeftButton);
    QCoreApplication::processEvents();
    ASSERT_FALSE(dialog.isNull());
    EXPECT_FALSE(Dialog().isVisible());
    View().OnSearch();
    EXPECT_TRUE(Dialog().isVisible());
    EXPECT_EQ(Dialog().SearchText().toStdWString(), name);
    EXPECT_EQ(Dialog().Direction(), SearchDirection::kUp);
}

TEST_F(SearchDialog, TheSearchCommandLeavesAVisibleDialogWhereItIs) {
    Dialog().move(Dialog().pos() + QPoint(37, 11));
    const QPoint moved = Dialog().pos();
    frame->CommandAction(app::CMainFrame::kSearch)->trigger();
    EXPECT_EQ(Dialog().pos(), moved);
}

}  // namespace
}  // namespace mainwindow_test
