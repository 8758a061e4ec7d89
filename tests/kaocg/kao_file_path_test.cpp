#include <gtest/gtest.h>

#include <string>

#include "kaocg/kao_file_path.h"

namespace kaocg_func {
namespace {

const std::wstring kEdit = L"C:\\docs\\edit\\";
const std::wstring kStock = L"D:\\game\\grp\\";

TEST(KaoFilePath, EveryKindJoinsItsFolderAndName) {
    const std::pair<int, std::wstring> expected[] = {
        {kKaoStockLarge, kStock + L"KAO_L.q06"},
        {kKaoStockMedium, kStock + L"KAO_M.q06"},
        {kKaoStockSmall, kStock + L"KAO_S.q06"},
        {kKaoEditLarge, kEdit + L"GRP/EDIT_KAO_L.q06"},
        {kKaoEditMedium, kEdit + L"GRP/EDIT_KAO_M.q06"},
        {kKaoEditSmall, kEdit + L"GRP/EDIT_KAO_S.q06"},
        {kKaoIdBase, kEdit + L"kaoedit.q06"},
        {kKaoIdZV, kEdit + L"kaoeditzv.q06"},
    };
    for (const auto& [kind, path] : expected) {
        std::wstring built;
        EXPECT_TRUE(BuildKaoFilePath(kind, kEdit, kStock, built)) << kind;
        EXPECT_EQ(built, path) << kind;
    }
}

TEST(KaoFilePath, UnknownKindFailsAndLeavesThePathAlone) {
    for (int kind : {-1, 8, 1000}) {
        std::wstring path = L"unchanged";
        EXPECT_FALSE(BuildKaoFilePath(kind, kEdit, kStock, path)) << kind;
        EXPECT_EQ(path, L"unchanged");
    }
}

TEST(KaoFilePath, LimitCountsTheTerminator) {
    const std::wstring name = L"kaoedit.q06";
    const std::wstring fits(kMaxKaoPathChars - 1 - name.size(), L'a');
    std::wstring path;
    ASSERT_TRUE(BuildKaoFilePath(kKaoIdBase, fits, kStock, path));
    EXPECT_EQ(path.size(), 1023u);

    path = L"unchanged";
    EXPECT_FALSE(BuildKaoFilePath(kKaoIdBase, fits + L"a", kStock, path));
    EXPECT_EQ(path, L"unchanged");
    // The GRP/ part counts too.
    EXPECT_FALSE(BuildKaoFilePath(kKaoEditSmall, fits, kStock, path));
    // Only the folder the kind uses matters.
    EXPECT_TRUE(BuildKaoFilePath(kKaoStockSmall, fits + fits, kStock, path));
}

}  // namespace
}  // namespace kaocg_func
