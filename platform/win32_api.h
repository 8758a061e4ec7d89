#pragma once

// The Win32 headers, for the platform layer's Windows files only. Their macros that turn
// CreateDirectory, CopyFile, DeleteFile and ReplaceFile into the A or W functions would rename
// FileSystem's methods in every file that sees them, so they are taken back here and the W
// functions are called by their own names.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#undef CopyFile
#undef CreateDirectory
#undef DeleteFile
#undef ReplaceFile
