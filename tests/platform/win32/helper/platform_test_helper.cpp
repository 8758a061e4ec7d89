// Holds a global mutex until told to stop: platform_test_helper MUTEX READY_EVENT QUIT_EVENT.
// It signals READY_EVENT once the mutex is held and ends when QUIT_EVENT is set, or after a
// minute, so that a failed test never leaves it behind.
#include <windows.h>

#include <string>

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) {
        return 2;
    }
    const std::wstring mutexName = std::wstring(L"Global\\") + argv[1];
    HANDLE mutex = ::CreateMutexW(nullptr, FALSE, mutexName.c_str());
    HANDLE ready = ::OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[2]);
    HANDLE quit = ::OpenEventW(SYNCHRONIZE, FALSE, argv[3]);
    if (mutex == nullptr || ready == nullptr || quit == nullptr) {
        return 1;
    }
    ::SetEvent(ready);
    ::WaitForSingleObject(quit, 60 * 1000);
    ::CloseHandle(mutex);
    return 0;
}
