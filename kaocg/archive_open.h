#pragma once

#include <memory>
#include <string_view>

#include "platform/file_system.h"

namespace kaocg_func {

struct OpenedArchiveFile {
    std::unique_ptr<platform::File> file;
    // The first open failed and the read-only attribute could not be cleared either: in
    // practice the file does not exist. Callers with a fallback take it only in this case.
    bool unreachable = false;
};

// Opens an archive file exclusively. The editor keeps its archives read-only between calls, so
// a first failure clears the read-only attribute and the open is tried once more.
OpenedArchiveFile OpenArchiveFile(platform::FileSystem& files, std::wstring_view path,
                                  platform::OpenMode mode);

}  // namespace kaocg_func
