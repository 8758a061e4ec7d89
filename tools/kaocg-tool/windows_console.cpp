// The Windows console as the tool's streams: the arguments come as UTF-16 and are passed on
// in UTF-8, and output leaves in UTF-8 bytes exactly as the Linux tool writes them (no
// line-ending translation), with the console told to show UTF-8.
#include "tools/kaocg-tool/windows_console.h"

#include <windows.h>

// After windows.h, which they need.
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>

#include "lumo/io/utf.h"

namespace kaocg_tool {

void PrepareConsole() {
    ::SetConsoleOutputCP(CP_UTF8);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

Arguments CommandLineArguments(int argc, char** argv) {
    int count = 0;
    wchar_t** words = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (words == nullptr) {
        return Arguments(argv + 1, argv + argc);
    }
    Arguments args;
    for (int i = 1; i < count; ++i) {
        args.push_back(lumo::WideToUtf8(words[i]));
    }
    ::LocalFree(words);
    return args;
}

}  // namespace kaocg_tool
