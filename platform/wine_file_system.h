#pragma once

#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/registry.h"
#include "platform/wine_paths.h"

namespace platform {

// Files of a Wine prefix behind the Windows file calls. Besides what HostFile does for opens:
// - read-only files (no write permission bit) cannot be replaced, copied over or deleted,
//   and neither can files that an open holds, as on Windows;
// - copies and replacements appear under the target name only when complete;
// - the read-only attribute of folders is not mapped: on Windows it does not keep anyone
//   from changing a folder's contents, while taking write bits from a host folder would.
class WineFileSystem final : public FileSystem {
public:
    // userNames: the profile names to look for when the registry has no documents folder.
    WineFileSystem(WinePaths paths, const Registry& registry, std::vector<std::wstring> userNames);

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
    std::vector<std::wstring> ListFiles(std::wstring_view folder) const override;
    std::unique_ptr<NamedMutex> HoldLock(std::wstring_view path) override;

private:
    WinePaths m_paths;
    const Registry& m_registry;
    std::vector<std::wstring> m_userNames;
};

}  // namespace platform
