#pragma once

#include "platform/file_system.h"

namespace platform {

// The files of the running Windows system. Paths go to the W functions as they are; copies and
// replacements are written beside their target under a name of their own and moved over it
// with write-through, so the target never holds a part.
class Win32FileSystem final : public FileSystem {
public:
    std::unique_ptr<File> Open(std::wstring_view path, OpenMode mode, bool exclusive) override;
    bool Exists(std::wstring_view path) const override;
    bool IsDirectory(std::wstring_view path) const override;
    bool CreateDirectory(std::wstring_view path) override;
    bool SetReadOnly(std::wstring_view path, bool readOnly) override;
    bool IsReadOnly(std::wstring_view path) const override;
    bool CopyFile(std::wstring_view from, std::wstring_view to) override;
    bool DeleteFile(std::wstring_view path) override;
    bool ReplaceFile(std::wstring_view path, std::span<const std::uint8_t> bytes) override;
    std::optional<LocalTime> LastWriteTime(std::wstring_view path) const override;
    std::wstring DocumentsFolder() const override;
    std::string HostPath(std::wstring_view path) const override;
};

}  // namespace platform
