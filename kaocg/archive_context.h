#pragma once

#include "platform/file_system.h"

namespace kaocg_func {

// What every archive operation needs from the running editor: the files it may touch and the
// installed edition (0 base, 1 ZV), which picks file names, magic texts and record counts.
struct ArchiveContext {
    platform::FileSystem& files;
    int edition;
};

}  // namespace kaocg_func
