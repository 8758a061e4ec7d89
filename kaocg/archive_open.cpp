#include "kaocg/archive_open.h"

namespace kaocg_func {

OpenedArchiveFile OpenArchiveFile(platform::FileSystem& files, std::wstring_view path,
                                  platform::OpenMode mode) {
    OpenedArchiveFile opened;
    opened.file = files.Open(path, mode, true);
    if (opened.file) {
        return opened;
    }
    if (!files.SetReadOnly(path, false)) {
        opened.unreachable = true;
        return opened;
    }
    opened.file = files.Open(path, mode, true);
    return opened;
}

}  // namespace kaocg_func
