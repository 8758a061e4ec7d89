#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "kaocg/face_slot_table.h"
#include "kaocg/kao_cg_id_archive.h"
#include "lumo/io/utf.h"
#include "roster/roster_table.h"
#include "tool_runner.h"

namespace kaocg_tool_test {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        lines.push_back(text.substr(start, end - start));
    }
    return lines;
}

void PutU32(std::string& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<char>(value >> (8 * i));
    }
}

// An ID archive as the editor saves it: every general code with its own index and no face.
std::string IdArchive(bool zv) {
    std::string bytes(kaocg_func::IdArchiveSize(zv), '\0');
    bytes.replace(0, 16, zv ? kaocg_func::kIdMagicZV : kaocg_func::kIdMagicBase);
    for (std::size_t i = 0; i < kaocg_func::IdRecordCount(zv); ++i) {
        PutU32(bytes, 16 + 8 * i, static_cast<std::uint32_t>(i));
        PutU32(bytes, 20 + 8 * i, kaocg_func::kNoFaceEntry);
    }
    return bytes;
}

class RosterIdsTest : public testing::Test {
protected:
    ToolResult Run(const std::vector<std::string>& args) const {
        return RunTool(folder.Path(), args);
    }
    void Save(const std::string& name, const std::string& bytes) const {
        std::ofstream(folder.Path() / name, std::ios::binary) << bytes;
    }
    TempFolder folder;
};

TEST_F(RosterIdsTest, RosterListPrintsEveryGeneralInOrder) {
    for (const auto& [edition, word] : {std::pair{0, "base"}, std::pair{1, "zv"}}) {
        const ToolResult listed = Run({"roster", "list", "--edition", word});
        ASSERT_EQ(listed.exitCode, 0) << listed.err;
        const std::vector<std::string> lines = Lines(listed.out);
        const auto table = roster::RosterTable(edition);
        ASSERT_EQ(lines.size(), table.size()) << word;
        for (const std::size_t i : {std::size_t{0}, table.size() / 2, table.size() - 1}) {
            EXPECT_EQ(lines[i], std::to_string(table[i].code) + "\t" +
                                    std::to_string(table[i].defaultFace) + "\t" +
                                    lumo::WideToUtf8(table[i].name));
        }
    }
    EXPECT_EQ(Run({"roster", "list"}).exitCode, 2);
    EXPECT_EQ(Run({"roster", "list", "--edition", "gold"}).exitCode, 2);
}

TEST_F(RosterIdsTest, IdsShowPrintsFacesFlagsAndNames) {
    const roster::RosterRow general = roster::RosterTable(1).front();
    std::string bytes = IdArchive(true);
    PutU32(bytes, 20 + 8 * general.code, 1234);
    PutU32(bytes, 20 + 8 * 5, 1700 | kaocg_func::kImportedFlag);
    Save("kaoeditzv.q06", bytes);
    const ToolResult shown = Run({"ids", "show", "kaoeditzv.q06"});
    ASSERT_EQ(shown.exitCode, 0) << shown.err;
    const std::vector<std::string> lines = Lines(shown.out);
    ASSERT_EQ(lines.size(), 3u + 2600);
    EXPECT_EQ(lines[0], "edition: zv");
    EXPECT_EQ(lines[3 + general.code],
              std::to_string(general.code) + "\t1234\tno\t" + lumo::WideToUtf8(general.name));
    EXPECT_EQ(lines[3 + 5].substr(0, 11), "5\t1700\tyes\t");
    EXPECT_EQ(lines[3 + 2599], "2599\tnone\t-\t");

    Save("kaoedit.q06", IdArchive(false));
    const ToolResult base = Run({"ids", "show", "kaoedit.q06"});
    ASSERT_EQ(base.exitCode, 0) << base.err;
    EXPECT_EQ(Lines(base.out).size(), 3u + 2370);
    EXPECT_EQ(Lines(base.out)[0], "edition: base");
}

TEST_F(RosterIdsTest, IdsShowRefusesDamagedFiles) {
    std::string wrongCode = IdArchive(false);
    PutU32(wrongCode, 16 + 8 * 7, 8);
    Save("code.q06", wrongCode);
    const ToolResult shown = Run({"ids", "show", "code.q06"});
    EXPECT_EQ(shown.exitCode, 1);
    EXPECT_NE(shown.err.find("record 7 holds general code 8"), std::string::npos) << shown.err;

    Save("short.q06", IdArchive(true).substr(0, 1000));
    EXPECT_NE(Run({"ids", "show", "short.q06"}).err.find("1000 bytes"), std::string::npos);
    std::string magic = IdArchive(true);
    magic[0] = 'K';
    Save("magic.q06", magic);
    EXPECT_NE(Run({"ids", "show", "magic.q06"}).err.find("not a face-CG ID archive"),
              std::string::npos);
    EXPECT_EQ(Run({"ids", "show"}).exitCode, 2);
}

}  // namespace
}  // namespace kaocg_tool_test
