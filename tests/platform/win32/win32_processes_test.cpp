#include "platform/win32_processes.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "win32_test_support.h"

namespace {

// The helper program started under a name of the test's choosing, holding a mutex until the
// object ends.
class HelperProcess {
public:
    HelperProcess(const std::wstring& program, const std::wstring& mutexName)
        : m_ready(Event(L"kaocg_ready_")), m_quit(Event(L"kaocg_quit_")) {
        std::wstring line =
            L"\"" + program + L"\" " + mutexName + L" " + m_ready.name + L" " + m_quit.name;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        if (::CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             nullptr, &startup, &m_process)) {
            ::CloseHandle(m_process.hThread);
            const std::array<HANDLE, 2> either{m_ready.handle, m_process.hProcess};
            m_started = ::WaitForMultipleObjects(2, either.data(), FALSE, 30000) == WAIT_OBJECT_0;
        }
    }
    HelperProcess(const HelperProcess&) = delete;
    HelperProcess& operator=(const HelperProcess&) = delete;
    ~HelperProcess() {
        Stop();
        ::CloseHandle(m_ready.handle);
        ::CloseHandle(m_quit.handle);
    }

    bool Started() const { return m_started; }
    void Stop() {
        if (m_process.hProcess != nullptr) {
            ::SetEvent(m_quit.handle);
            if (::WaitForSingleObject(m_process.hProcess, 30000) != WAIT_OBJECT_0) {
                ::TerminateProcess(m_process.hProcess, 1);
            }
            ::CloseHandle(m_process.hProcess);
            m_process.hProcess = nullptr;
        }
    }

private:
    struct NamedEvent {
        std::wstring name;
        HANDLE handle;
    };
    static NamedEvent Event(const wchar_t* stem) {
        NamedEvent event{win32test::UniqueName(stem), nullptr};
        event.handle = ::CreateEventW(nullptr, TRUE, FALSE, event.name.c_str());
        return event;
    }

    NamedEvent m_ready;
    NamedEvent m_quit;
    PROCESS_INFORMATION m_process{};
    bool m_started = false;
};

std::wstring HelperProgram() {
    return win32test::ProgramFolder() + L"platform_test_helper.exe";
}

TEST(Win32ProcessesTest, AMutexIsHeldOnceAndFreeAgainWhenReleased) {
    platform::Win32Processes processes;
    const std::wstring name = win32test::UniqueName(L"KAOCG_TEST_MUTEX_");
    auto held = processes.OpenGlobalMutex(name);
    ASSERT_TRUE(held);
    EXPECT_FALSE(processes.OpenGlobalMutex(name));
    held.reset();
    EXPECT_TRUE(processes.OpenGlobalMutex(name));
}

TEST(Win32ProcessesTest, AMutexHeldByASecondProcessIsRefusedUntilItEnds) {
    platform::Win32Processes processes;
    const std::wstring name = win32test::UniqueName(L"KAOCG_TEST_MUTEX_");
    HelperProcess helper(HelperProgram(), name);
    ASSERT_TRUE(helper.Started());
    EXPECT_FALSE(processes.OpenGlobalMutex(name));
    helper.Stop();
    EXPECT_TRUE(processes.OpenGlobalMutex(name));
}

TEST(Win32ProcessesTest, FindsAProgramByItsFileNameInAnyCase) {
    win32test::TempFolder folder;
    // A name like the game's but not its own: the Linux editor's tests, which may run at the
    // same time, look for the game's executables in the host's process list.
    const std::wstring game = folder.Path() + L"QRVN06ZVTEST.exe";
    ASSERT_TRUE(::CopyFileW(HelperProgram().c_str(), game.c_str(), TRUE));
    platform::Win32Processes processes;
    const std::array<std::wstring_view, 2> zv{L"qrvn06zvtest.EXE", L"other.exe"};
    const std::array<std::wstring_view, 1> base{L"QRVN06ZV.exe"};
    ASSERT_FALSE(processes.IsProgramRunning(zv));
    {
        HelperProcess running(game, win32test::UniqueName(L"KAOCG_TEST_MUTEX_"));
        ASSERT_TRUE(running.Started());
        EXPECT_TRUE(processes.IsProgramRunning(zv));
        EXPECT_FALSE(processes.IsProgramRunning(base));
    }
    EXPECT_FALSE(processes.IsProgramRunning(zv));
}

}  // namespace
