#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "platform/lock_file_mutex.h"
#include "platform/test_prefix.h"
#include "platform/wine_processes.h"

namespace platform {
namespace {

using platform_test::ListFolder;
using platform_test::MakeFolders;
using platform_test::TempFolder;
using platform_test::WriteFile;

constexpr std::wstring_view kEditorMutex = L"TAVU_QRVN06_KAOCG_MUTEX";

TEST(Mutex, IsHeldUntilDestroyed) {
    TempFolder locks;
    WineProcesses processes(locks.Path());
    auto held = processes.OpenGlobalMutex(kEditorMutex);
    ASSERT_TRUE(held);
    EXPECT_FALSE(processes.OpenGlobalMutex(kEditorMutex));
    EXPECT_FALSE(WineProcesses(locks.Path()).OpenGlobalMutex(kEditorMutex));
    auto other = processes.OpenGlobalMutex(L"tavu_qrvn06_kaocg_mutex");  // names keep their case
    EXPECT_TRUE(other);
    held.reset();
    EXPECT_TRUE(processes.OpenGlobalMutex(kEditorMutex));
}

TEST(Mutex, IsSeenByOtherProcessesAndFreedWhenTheHolderEnds) {
    TempFolder locks;
    std::array<int, 2> ready{}, finish{};
    ASSERT_EQ(::pipe(ready.data()), 0);
    ASSERT_EQ(::pipe(finish.data()), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(finish[1]);  // else the read below never sees the end
        WineProcesses processes(locks.Path());
        auto held = processes.OpenGlobalMutex(kEditorMutex);
        const char ok = held ? 'y' : 'n';
        char ignored = 0;
        if (::write(ready[1], &ok, 1) == 1) {
            [[maybe_unused]] const auto n = ::read(finish[0], &ignored, 1);
        }
        ::_exit(0);
    }
    char ok = 0;
    ASSERT_EQ(::read(ready[0], &ok, 1), 1);
    EXPECT_EQ(ok, 'y');
    WineProcesses processes(locks.Path());
    EXPECT_FALSE(processes.OpenGlobalMutex(kEditorMutex));
    ::close(finish[1]);
    ASSERT_EQ(::waitpid(child, nullptr, 0), child);
    EXPECT_TRUE(processes.OpenGlobalMutex(kEditorMutex));
    ::close(ready[0]);
    ::close(ready[1]);
    ::close(finish[0]);
}

TEST(Mutex, NamesStayInsideAPrivateFolder) {
    TempFolder locks;
    EXPECT_TRUE(WineProcesses(locks.Path()).OpenGlobalMutex(L"../../x/\x4e2d"));
    EXPECT_EQ(ListFolder(locks.Path()), "kaocg-mutex-Global%5C..%2F..%2Fx%2F%E4%B8%AD.lock");

    const std::string created = locks.Path() + "/made/here";
    MakeFolders(locks.Path() + "/made");
    EXPECT_TRUE(WineProcesses(created).OpenGlobalMutex(kEditorMutex));
    ::chmod(created.c_str(), 0777);
    EXPECT_FALSE(WineProcesses(created).OpenGlobalMutex(L"other"));
    ASSERT_EQ(::symlink(locks.Path().c_str(), (locks.Path() + "/link").c_str()), 0);
    EXPECT_FALSE(WineProcesses(locks.Path() + "/link").OpenGlobalMutex(L"other"));
    EXPECT_FALSE(WineProcesses("").OpenGlobalMutex(L"other"));
}

TEST(Mutex, DefaultFolderIsTheUsersRuntimeFolderWhenThatIsUsable) {
    TempFolder runtime;
    const char* old = std::getenv("XDG_RUNTIME_DIR");
    const std::string saved = old ? old : "";
    ::setenv("XDG_RUNTIME_DIR", runtime.Path().c_str(), 1);
    EXPECT_EQ(DefaultLockFolder(), runtime.Path());
    ::setenv("XDG_RUNTIME_DIR", (runtime.Path() + "/gone").c_str(), 1);
    EXPECT_EQ(DefaultLockFolder(), "/tmp/kaocg-" + std::to_string(::getuid()));
    old ? ::setenv("XDG_RUNTIME_DIR", saved.c_str(), 1) : ::unsetenv("XDG_RUNTIME_DIR");
}

// Runs a copy of sleep under a chosen file name (the command name follows the file name).
class Sleeper {
public:
    Sleeper(const std::string& folder, const std::string& copyName, const std::string& runName) {
        const std::string copy = folder + "/" + copyName;
        std::filesystem::copy_file("/bin/sleep", copy);
        ::chmod(copy.c_str(), 0755);
        const std::string run = folder + "/" + runName;
        if (runName != copyName) {
            std::filesystem::create_symlink(copy, run);
        }
        m_pid = ::fork();
        if (m_pid == 0) {
            ::execl(run.c_str(), runName.c_str(), "30", static_cast<char*>(nullptr));
            ::_exit(127);
        }
    }
    ~Sleeper() { Stop(); }
    void Stop() {
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
            m_pid = -1;
        }
    }

private:
    pid_t m_pid = -1;
};

bool SeenWithin(const WineProcesses& processes, std::initializer_list<std::wstring_view> names) {
    const std::span<const std::wstring_view> list(names.begin(), names.size());
    for (int tries = 0; tries < 200; ++tries) {
        if (processes.IsProgramRunning(list)) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

TEST(Process, FindsAProgramByItsCommandName) {
    TempFolder folder;
    WineProcesses processes(folder.Path());
    // Names of their own: tests run in parallel, and the editor's tests look for the game's.
    const std::wstring_view names[] = {L"KAOCGTEST1.EXE", L"kaocgtest2.EXE"};
    EXPECT_FALSE(processes.IsProgramRunning(names));
    Sleeper sleeper(folder.Path(), "KAOCGTEST2.exe", "KAOCGTEST2.exe");
    EXPECT_TRUE(SeenWithin(processes, {L"KAOCGTEST1.EXE", L"kaocgtest2.EXE"}));
    sleeper.Stop();
    EXPECT_FALSE(processes.IsProgramRunning(names));
    EXPECT_FALSE(processes.IsProgramRunning({}));
}

TEST(Process, FindsAProgramByItsMappedFile) {
    TempFolder folder;
    WineProcesses processes(folder.Path());
    Sleeper sleeper(folder.Path(), "KAOCGTEST3.exe", "launcher");
    ASSERT_TRUE(SeenWithin(processes, {L"LAUNCHER"}));
    EXPECT_TRUE(SeenWithin(processes, {L"kaocgtest3.exe"}));
}

// A made-up /proc shows what the scan reads: command names cut to 15 bytes, mapped files
// that were deleted, and lines too long to be real.
TEST(Process, ReadsCommandNamesAndMaps) {
    TempFolder proc;
    const auto process = [&](const std::string& pid, const std::string& comm,
                             const std::string& maps) {
        MakeFolders(proc.Path() + "/" + pid);
        WriteFile(proc.Path() + "/" + pid + "/comm", comm);
        WriteFile(proc.Path() + "/" + pid + "/maps", maps);
    };
    process("self", "QRVN06.EXE\n", "");
    process("12", "wine64-preload\n",
            "7f00-7f10 r--p 00000000 08:01 1234    /home/u/My Games/qrvn06.exe (deleted)\n"
            "7f10-7f20 r--p 00000000 00:00 0       [heap]\n" +
                std::string(20000, 'x') + "/QRVN06ZV.exe\n");
    process("345", "Quorvane06_Laun\n", "7f00-7f10 r--p 00000000 08:01 1 /bin/true");
    WineProcesses processes("", proc.Path());
    const std::wstring_view base[] = {L"QRVN06.EXE"};
    const std::wstring_view zv[] = {L"QRVN06ZV.exe"};
    const std::wstring_view launcher[] = {L"quorvane06_launcher.exe"};
    const std::wstring_view unmapped[] = {L"TRUE"};
    EXPECT_TRUE(processes.IsProgramRunning(base));
    EXPECT_FALSE(processes.IsProgramRunning(zv));
    EXPECT_TRUE(processes.IsProgramRunning(launcher));
    EXPECT_TRUE(processes.IsProgramRunning(unmapped));  // maps without a final line break
    EXPECT_FALSE(WineProcesses("", proc.Path() + "/none").IsProgramRunning(base));
}

// Asking who holds a mutex leaves it free for the holder, and two askers at the same moment
// do not see each other: once, an editor reported the game running because another process
// was looking at the game's mutex just then.
TEST(Mutex, AskingWhoHoldsItNeverTakesIt) {
    TempFolder locks;
    WineProcesses processes(locks.Path());
    EXPECT_FALSE(processes.MutexHolder(kEditorMutex)) << "never made";
    auto held = processes.OpenGlobalMutex(kEditorMutex);
    ASSERT_TRUE(held);
    const auto holder = processes.MutexHolder(kEditorMutex);
    ASSERT_TRUE(holder);
    EXPECT_EQ(holder->pid, ::getpid());
    EXPECT_FALSE(holder->program.empty());
    held.reset();

    // Another asker in the middle of its look: a shared lock on the same file.
    const std::string file = locks.Path() + "/kaocg-mutex-Global%5C" +
                             std::string(kEditorMutex.begin(), kEditorMutex.end()) + ".lock";
    const int asker = ::open(file.c_str(), O_RDONLY);
    ASSERT_GE(asker, 0);
    ASSERT_EQ(::flock(asker, LOCK_SH), 0);
    EXPECT_FALSE(processes.MutexHolder(kEditorMutex));
    ::close(asker);
    EXPECT_TRUE(processes.OpenGlobalMutex(kEditorMutex));
}

TEST(Process, TellsWhichProcessRunsTheProgram) {
    TempFolder proc;
    MakeFolders(proc.Path() + "/4242");
    WriteFile(proc.Path() + "/4242/comm", "QRVN06ZV.exe\n");
    WriteFile(proc.Path() + "/4242/maps", "");
    WineProcesses processes("", proc.Path());
    const std::wstring_view names[] = {L"QRVN06.EXE", L"QRVN06ZV.exe"};
    const auto found = processes.FindProgram(names);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->pid, 4242);
    EXPECT_EQ(found->program, L"QRVN06ZV.exe");
}

}  // namespace
}  // namespace platform
