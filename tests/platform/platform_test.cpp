#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "platform/platform.h"
#include "platform/test_prefix.h"

namespace platform {
namespace {

// Sets an environment variable for the life of the object.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : m_name(name) {
        if (const char* old = std::getenv(name)) {
            m_old = old;
        }
        value ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    ~ScopedEnv() { m_old ? ::setenv(m_name, m_old->c_str(), 1) : ::unsetenv(m_name); }

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

TEST(Platform, DefaultPrefixComesFromTheEnvironment) {
    {
        ScopedEnv prefix("WINEPREFIX", "/games/prefix");
        EXPECT_EQ(DefaultWinePrefix(), "/games/prefix");
    }
    ScopedEnv prefix("WINEPREFIX", nullptr);
    ScopedEnv home("HOME", "/home/player");
    EXPECT_EQ(DefaultWinePrefix(), "/home/player/.wine");
}

TEST(Platform, WinePlatformServesThePrefix) {
    platform_test::TestPrefix prefix(
        "WINE REGISTRY Version 2\n"
        "[Software\\\\TAVU\\\\Quorvane06 Tc\\\\Install] 0\n"
        "\"InstallInfo\"=\"C:\\\\Game\\\\\"\n");
    platform_test::TempFolder runtime;
    ScopedEnv env("XDG_RUNTIME_DIR", runtime.Path().c_str());
    auto wine = CreateWinePlatform(prefix.Path());
    ASSERT_TRUE(wine);
    const auto folder =
        wine->GetRegistry().ReadString(L"software\\TAVU\\Quorvane06 Tc\\Install", L"InstallInfo");
    ASSERT_EQ(folder, L"C:\\Game\\");
    EXPECT_EQ(wine->GetFileSystem().HostPath(*folder + L"grp"), prefix.DriveC() + "/Game/grp");
    auto mutex = wine->GetProcesses().OpenGlobalMutex(L"TAVU_QUORVANE_06_MUTEX");
    EXPECT_TRUE(mutex);
    EXPECT_EQ(platform_test::ListFolder(runtime.Path()),
              "kaocg-mutex-Global%5CTAVU_QUORVANE_06_MUTEX.lock");
}

}  // namespace
}  // namespace platform
