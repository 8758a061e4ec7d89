#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "kaocg/face_number_map.h"
#include "roster/roster_table.h"

namespace roster {
namespace {

using Pair = std::pair<std::int32_t, std::int32_t>;
constexpr int kBase = kaocg_func::kEditionBase;
constexpr int kZV = kaocg_func::kEditionZV;

std::vector<Pair> Rows(std::span<const RosterRow> table, std::size_t first, std::size_t count) {
    std::vector<Pair> rows;
    for (std::size_t i = first; i < first + count; ++i) {
        rows.emplace_back(table[i].code, table[i].defaultFace);
    }
    return rows;
}

std::set<std::int32_t> CodesOf(std::span<const RosterRow> table) {
    std::set<std::int32_t> codes;
    for (const RosterRow& row : table) {
        codes.insert(row.code);
    }
    return codes;
}

TEST(RosterTable, SizesAndTheRowsThatOpenAndCloseEachTable) {
    const auto base = RosterTable(kBase);
    ASSERT_EQ(base.size(), 1341u);
    EXPECT_EQ(Rows(base, 0, 3), (std::vector<Pair>{{2261, 6020}, {637, 413}, {640, 515}}));
    EXPECT_EQ(Rows(base, 1338, 3), (std::vector<Pair>{{2245, 6004}, {514, 527}, {338, 0}}));

    const auto zv = RosterTable(kZV);
    ASSERT_EQ(zv.size(), 1480u);
    EXPECT_EQ(Rows(zv, 0, 3), (std::vector<Pair>{{2261, 6020}, {1088, 1088}, {637, 413}}));
    EXPECT_EQ(Rows(zv, 1477, 3), (std::vector<Pair>{{514, 527}, {338, 0}, {2274, 6026}}));

    EXPECT_TRUE(RosterTable(-1).empty());
    EXPECT_TRUE(RosterTable(2).empty());
}

TEST(RosterTable, CodesAreUniqueAndFitTheIdArchive) {
    for (int edition : {kBase, kZV}) {
        const auto table = RosterTable(edition);
        const std::set<std::int32_t> codes = CodesOf(table);
        EXPECT_EQ(codes.size(), table.size()) << edition;
        EXPECT_GE(*codes.begin(), 0);
        EXPECT_LE(*codes.rbegin(), 2305);
        for (std::int32_t code : {1665, 1670, 1685, 338}) {
            EXPECT_EQ(codes.count(code), 1u) << "code " << code << " edition " << edition;
        }
    }
    EXPECT_EQ(CodesOf(RosterTable(kBase)).count(2274), 0u);
    EXPECT_EQ(CodesOf(RosterTable(kZV)).count(2274), 1u);
}

TEST(RosterTable, EveryDefaultIsAStockFaceOfItsEdition) {
    for (int edition : {kBase, kZV}) {
        const std::int32_t first = kaocg_func::StockSmallFirst(edition);
        const std::int32_t last = kaocg_func::StockSmallLast(edition);
        for (const RosterRow& row : RosterTable(edition)) {
            const std::int32_t id = kaocg_func::FaceCgIdOf(edition, row.defaultFace, 0);
            EXPECT_TRUE(id >= first && id <= last) << row.code << " " << row.defaultFace;
            EXPECT_FALSE(row.defaultFace >= 1700 && row.defaultFace < 2800) << row.code;
            if (edition == kBase) {
                EXPECT_LE(row.defaultFace, 7015) << row.code;
            }
        }
    }
}

TEST(RosterTable, NamesAreOneToSixChineseCharacters) {
    for (int edition : {kBase, kZV}) {
        for (const RosterRow& row : RosterTable(edition)) {
            ASSERT_NE(row.name, nullptr);
            const std::wstring name(row.name);
            EXPECT_GE(name.size(), 1u) << row.code;
            EXPECT_LE(name.size(), 6u) << row.code;
            for (wchar_t c : name) {
                EXPECT_TRUE(c >= 0x4E00 && c <= 0x9FFF) << row.code;
            }
        }
    }
}

}  // namespace
}  // namespace roster
