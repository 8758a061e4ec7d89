#include "picture/jpeg_simd.h"

namespace picture::jpeg {

bool ProcessorHasAvx2() {
#if KAOCG_JPEG_AVX2
    static const bool has = __builtin_cpu_supports("avx2") != 0;
    return has;
#else
    return false;
#endif
}

}  // namespace picture::jpeg
