#pragma once

// Which vector instructions the JPEG decoder's inner loops may use. SSE2 is part of every
// x86-64 processor and is chosen when compiling; AVX2 code is compiled alongside (GCC and
// Clang build single functions for it) and used only when the processor reports it.
#if defined(__SSE2__) || defined(_M_X64)
#define KAOCG_JPEG_SSE2 1
#endif

#if defined(__GNUC__) && defined(__x86_64__)
#define KAOCG_JPEG_AVX2 1
#define KAOCG_AVX2 __attribute__((target("avx2")))
#endif

namespace picture::jpeg {

// False where AVX2 code was not compiled or the processor lacks it.
bool ProcessorHasAvx2();

}  // namespace picture::jpeg
