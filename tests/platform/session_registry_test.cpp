#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

#include "platform/platform.h"
#include "platform/session_safe_registry.h"
#include "platform/test_prefix.h"
#include "platform/wine_registry.h"
#include "platform/wine_server_probe.h"

namespace platform {
namespace {

using platform_test::ReadFile;
using platform_test::TempFolder;
using platform_test::TestPrefix;

const std::wstring kConfigs = L"Software\\TAVU\\Quorvane06ZV Tc\\Configs";
const std::string kUserReg =
    "WINE REGISTRY Version 2\n"
    "[Software\\\\TAVU\\\\Quorvane06ZV Tc\\\\Configs] 1700000000\n";

class FakeSession final : public WineSession {
public:
    bool IsServerRunning() const override { return running; }
    bool WriteDword(std::wstring_view, std::wstring_view, std::uint32_t value) override {
        handed.push_back(value);
        return wineWorks;
    }
    bool running = false;
    bool wineWorks = false;
    std::vector<std::uint32_t> handed;
};

class SessionRegistry : public ::testing::Test {
protected:
    std::string Store() const { return settings.Path() + "/config/kaocg-editor/pending"; }
    // A start of the editor: the registry as the platform makes it.
    std::uint32_t StartAndRead(const wchar_t* name) {
        WineRegistry file(prefix.UserReg());
        PendingRegistryWrites pending(Store(), prefix.Path());
        SessionSafeRegistry registry(file, session, pending);
        return registry.ReadDword(kConfigs, name).value_or(0);
    }
    bool InFile(const char* line) const {
        return ReadFile(prefix.UserReg()).find(line) != std::string::npos;
    }

    TestPrefix prefix{kUserReg};
    TempFolder settings;
    FakeSession session;
};

TEST_F(SessionRegistry, WithoutWineRunningTheFileIsWritten) {
    WineRegistry file(prefix.UserReg());
    PendingRegistryWrites pending(Store(), prefix.Path());
    SessionSafeRegistry registry(file, session, pending);
    ASSERT_TRUE(registry.WriteDword(kConfigs, L"GUIDE_MSG_0", 1));
    EXPECT_TRUE(InFile("\"GUIDE_MSG_0\"=dword:00000001"));
    EXPECT_TRUE(session.handed.empty());
    EXPECT_FALSE(registry.WriteDword(L"Software\\Missing", L"GUIDE_MSG_0", 1));
}

TEST_F(SessionRegistry, WhileWineRunsTheValueGoesThroughWine) {
    session.running = true;
    session.wineWorks = true;
    WineRegistry file(prefix.UserReg());
    PendingRegistryWrites pending(Store(), prefix.Path());
    SessionSafeRegistry registry(file, session, pending);
    ASSERT_TRUE(registry.WriteDword(kConfigs, L"GUIDE_MSG_1", 1));
    EXPECT_EQ(session.handed, std::vector<std::uint32_t>{1});
    EXPECT_FALSE(InFile("GUIDE_MSG_1"));  // Wine's own save will put it there
    EXPECT_EQ(registry.ReadDword(kConfigs, L"guide_msg_1"), 1u);
    EXPECT_TRUE(pending.Writes().empty());
}

TEST_F(SessionRegistry, WithoutWineToHandItToTheValueWaitsForAStartWithoutWine) {
    session.running = true;
    {
        WineRegistry file(prefix.UserReg());
        PendingRegistryWrites pending(Store(), prefix.Path());
        SessionSafeRegistry registry(file, session, pending);
        ASSERT_TRUE(registry.WriteDword(kConfigs, L"GUIDE_MSG_0", 1));
        EXPECT_EQ(registry.ReadDword(kConfigs, L"GUIDE_MSG_0"), 1u);
    }
    EXPECT_FALSE(InFile("GUIDE_MSG_0"));
    EXPECT_EQ(StartAndRead(L"GUIDE_MSG_0"), 1u);  // Wine still runs: still waiting
    EXPECT_FALSE(InFile("GUIDE_MSG_0"));
    session.running = false;
    EXPECT_EQ(StartAndRead(L"GUIDE_MSG_0"), 1u);
    EXPECT_TRUE(InFile("\"GUIDE_MSG_0\"=dword:00000001"));
    EXPECT_TRUE(PendingRegistryWrites(Store(), prefix.Path()).Writes().empty());
    // Another prefix's waiting values are its own.
    EXPECT_TRUE(PendingRegistryWrites(Store(), prefix.Path() + "2").Writes().empty());
}

// A wineserver's folder with its socket and a lock held by another process, as Wine makes it
// when the prefix's "wineserver" file names the folder below /tmp.
class FakeServer {
public:
    explicit FakeServer(const std::string& prefix) {
        char base[] = "/tmp/kaocg-probe-XXXXXX";
        m_base = ::mkdtemp(base);
        struct stat info {};
        ::stat(prefix.c_str(), &info);
        char name[64];
        std::snprintf(name, sizeof name, "/server-%llx-%llx",
                      static_cast<unsigned long long>(info.st_dev),
                      static_cast<unsigned long long>(info.st_ino));
        m_folder = m_base + name;
        ::mkdir(m_folder.c_str(), 0700);
        platform_test::WriteFile(prefix + "/wineserver", m_base.substr(5));
        m_socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, (m_folder + "/socket").c_str(), sizeof address.sun_path - 1);
        ::bind(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof address);
    }
    ~FakeServer() {
        Stop();
        ::close(m_socket);
        std::system(("rm -rf '" + m_base + "'").c_str());
    }
    // A child holds the lock until stopped.
    void Start() {
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        m_child = ::fork();
        if (m_child == 0) {
            const int fd = ::open((m_folder + "/lock").c_str(), O_RDWR | O_CREAT, 0600);
            struct flock lock {};
            lock.l_type = F_WRLCK;
            ::fcntl(fd, F_SETLK, &lock);
            ::write(ready[1], "x", 1);
            ::pause();
            ::_exit(0);
        }
        char byte;
        ASSERT_EQ(::read(ready[0], &byte, 1), 1);
        ::close(ready[0]);
        ::close(ready[1]);
    }
    void Stop() {
        if (m_child > 0) {
            ::kill(m_child, SIGKILL);
            ::waitpid(m_child, nullptr, 0);
            m_child = 0;
        }
    }

private:
    std::string m_base, m_folder;
    int m_socket = -1;
    pid_t m_child = 0;
};

TEST(WineServerProbe, ARunningServerHoldsItsLockAndALeftSocketDoesNot) {
    TestPrefix prefix;
    EXPECT_FALSE(IsWineServerRunning(prefix.Path()));
    FakeServer server(prefix.Path());
    EXPECT_FALSE(IsWineServerRunning(prefix.Path()));  // the socket of a server that died
    server.Start();
    EXPECT_TRUE(IsWineServerRunning(prefix.Path()));
    server.Stop();
    EXPECT_FALSE(IsWineServerRunning(prefix.Path()));
}

TEST(WineServerProbe, FindsWinesOwnServer) {
    if (std::system("command -v wineserver >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "wine is not installed; its own server is not probed";
    }
    TempFolder folder;
    const std::string prefix = folder.Path() + "/prefix";
    ASSERT_EQ(::mkdir(prefix.c_str(), 0700), 0);
    const std::string env = "WINEPREFIX='" + prefix + "' WINEDEBUG=-all ";
    ASSERT_EQ(std::system((env + "wineserver -p5").c_str()), 0);
    bool seen = false;
    for (int i = 0; i < 50 && !seen; ++i) {
        seen = IsWineServerRunning(prefix);
        ::usleep(100000);
    }
    EXPECT_TRUE(seen);
    std::system((env + "wineserver -k; " + env + "wineserver -w").c_str());
    EXPECT_FALSE(IsWineServerRunning(prefix));
}

// The whole road with Wine itself: a flag set while the prefix's wineserver runs is in user.reg
// once the server has saved and gone.
TEST(SessionRegistryWithWine, AFlagSetWhileWineRunsSurvivesWinesSave) {
    if (std::system("command -v wine >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "wine is not installed; the flag is not tried against a running Wine";
    }
    TempFolder folder;
    const std::string prefix = folder.Path() + "/prefix";
    const std::string env = "WINEPREFIX='" + prefix + "' WINEDEBUG=-all ";
    const std::string quiet = " >/dev/null 2>&1";
    ASSERT_EQ(
        std::system((env + "wine reg add 'HKCU\\Software\\TAVU\\Quorvane06ZV Tc\\Configs' /f" +
                     quiet + "; " + env + "wineserver -w")
                        .c_str()),
        0);
    // A server that runs and has read the registry, as while a Wine program of the prefix runs.
    ASSERT_EQ(
        std::system(
            (env + "wineserver -p30; " + env + "wine reg query 'HKCU\\Software'" + quiet).c_str()),
        0);
    ::setenv("XDG_CONFIG_HOME", folder.Path().c_str(), 1);
    {
        const auto platform = CreateWinePlatform(prefix);
        ASSERT_TRUE(IsWineServerRunning(prefix));
        ASSERT_TRUE(platform->GetRegistry().WriteDword(kConfigs, L"GUIDE_MSG_0", 1));
        EXPECT_EQ(platform->GetRegistry().ReadDword(kConfigs, L"GUIDE_MSG_0"), 1u);
    }
    ::unsetenv("XDG_CONFIG_HOME");
    // Any change makes the server save the registry it holds over the file when it ends.
    std::system((env + "wine reg add 'HKCU\\Software\\Other' /f" + quiet + "; " + env +
                 "wineserver -k; " + env + "wineserver -w")
                    .c_str());
    EXPECT_NE(ReadFile(prefix + "/user.reg").find("\"GUIDE_MSG_0\"=dword:00000001"),
              std::string::npos);
}

}  // namespace
}  // namespace platform
