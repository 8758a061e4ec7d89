# Cross build for 64-bit Windows with Debian's MinGW-w64 compiler in its POSIX thread model
# (std::thread and std::mutex need it). libgcc and libstdc++ are linked statically so that
# each .exe runs on its own, without the compiler's DLLs beside it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KAOCG_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KAOCG_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KAOCG_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${KAOCG_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KAOCG_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# winpthread too: the POSIX thread model otherwise needs libwinpthread-1.dll at run time.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Test programs run under Wine, each in the fresh prefix of the test fixture.
set(CMAKE_CROSSCOMPILING_EMULATOR
    "${CMAKE_CURRENT_LIST_DIR}/wine-prefix.sh;run;${CMAKE_BINARY_DIR}/wine-prefix-path")
