#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <ctime>
#include <filesystem>
#include <string>

#include "tool_runner.h"

namespace kaocg_tool_test {
namespace {

namespace fs = std::filesystem;

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class EnvTest : public testing::Test {
protected:
    void SetUp() override {
        setenv("USER", "tester", 1);
        unsetenv("KAOCG_DEBUG");
    }
    ToolResult Run(const std::vector<std::string>& args) const {
        return RunTool(folder.Path(), args);
    }
    void Make(const std::string& edition) const {
        const ToolResult made = Run({"make-demo-install", "pfx", "--blank", "--edition", edition});
        ASSERT_EQ(made.exitCode, 0) << made.err;
    }
    fs::path Install(const char* key) const {
        return folder.Path() / "pfx" / "drive_c" / "Program Files (x86)" / "TAVU" / key;
    }
    TempFolder folder;
};

// What the demo install writes is exactly what the editor's start-up looks for.
TEST_F(EnvTest, FindsTheDemoInstallAsTheEditorWould) {
    Make("both");
    const ToolResult env = Run({"env", "pfx"});
    ASSERT_EQ(env.exitCode, 0) << env.err << env.out;
    EXPECT_TRUE(Has(env.out, "edition: zv\n")) << env.out;  // ZV wins when both are there
    EXPECT_TRUE(Has(env.out, "install folder: C:\\Program Files (x86)\\TAVU\\Quorvane06ZV Tc\\ "));
    EXPECT_TRUE(Has(env.out, "update level: 2\n"));
    EXPECT_TRUE(Has(env.out, "executable year: 2012\n"));
    EXPECT_TRUE(Has(env.out, "game updated: yes\n"));
    EXPECT_TRUE(Has(env.out,
                    "edit data folder: C:\\users\\tester\\Documents\\TAVU\\Quorvane06 Tc\\ "
                    "(missing)"));
    const std::string grp = "present  C:\\Program Files (x86)\\TAVU\\Quorvane06ZV Tc\\grp\\";
    for (const char* name : {"KAO_L.q06", "KAO_M.q06", "KAO_S.q06"}) {
        EXPECT_TRUE(Has(env.out, "  stock     " + grp + name + "\n")) << name;
    }
    for (const char* name : {"EDIT_KAO_L.Q06", "EDIT_KAO_M.Q06", "EDIT_KAO_S.Q06"}) {
        EXPECT_TRUE(Has(env.out, "  template  " + grp + name + "\n")) << name;
    }
    EXPECT_TRUE(Has(
        env.out,
        "  ids       missing  C:\\users\\tester\\Documents\\TAVU\\Quorvane06 Tc\\kaoeditzv.q06"));
}

TEST_F(EnvTest, ThePrefixDefaultsToWineprefix) {
    Make("zv");
    const std::string prefix = (folder.Path() / "pfx").string();
    setenv("WINEPREFIX", prefix.c_str(), 1);
    const ToolResult env = Run({"env"});
    unsetenv("WINEPREFIX");
    EXPECT_EQ(env.exitCode, 0) << env.err;
    EXPECT_TRUE(Has(env.out, "prefix: " + prefix + "\n")) << env.out;
}

TEST_F(EnvTest, AnOldExecutableIsReportedAsNotUpdated) {
    Make("base");
    const fs::path exe = Install("Quorvane06 Tc") / "QRVN06.EXE";
    const timespec old[2] = {{1275000000, 0}, {1275000000, 0}};  // mid-2010
    ASSERT_EQ(::utimensat(AT_FDCWD, exe.c_str(), old, 0), 0);
    const ToolResult env = Run({"env", "pfx"});
    EXPECT_EQ(env.exitCode, 1);
    EXPECT_TRUE(Has(env.out, "edition: base\n"));
    EXPECT_TRUE(Has(env.out, "executable year: 2010\n"));
    EXPECT_TRUE(Has(env.err, "not updated")) << env.err;
}

TEST_F(EnvTest, AnEmptyPrefixHasNoGame) {
    fs::create_directory(folder.Path() / "empty");
    const ToolResult env = Run({"env", "empty"});
    EXPECT_EQ(env.exitCode, 1);
    EXPECT_TRUE(Has(env.out, "edition: none\n"));
    EXPECT_TRUE(Has(env.err, "no edition of the game is installed")) << env.err;
    EXPECT_EQ(Run({"env", "nowhere"}).exitCode, 1);
    EXPECT_EQ(Run({"env", "a", "b"}).exitCode, 2);
}

}  // namespace
}  // namespace kaocg_tool_test
