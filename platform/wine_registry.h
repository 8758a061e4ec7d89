#pragma once

#include <optional>
#include <string>

#include "platform/host_io.h"
#include "platform/registry.h"
#include "platform/wine_registry_file.h"

namespace platform {

// HKEY_CURRENT_USER of a Wine prefix: its user.reg. Reading takes the file as it is on disk
// (read again whenever it changed) and never writes. WriteDword rewrites the file the way
// Wine saves it: a temporary file beside it, flushed, then renamed over it. While the prefix's
// Wine session runs, Wine holds the registry in memory and its next save drops outside
// edits, so a value written then may be lost, but the file is never damaged. Like the rest of
// the platform layer it serves one thread.
class WineRegistry final : public Registry {
public:
    explicit WineRegistry(std::string userRegPath);

    bool KeyExists(std::wstring_view key) const override;
    std::optional<std::wstring> ReadString(std::wstring_view key,
                                           std::wstring_view name) const override;
    std::optional<std::uint32_t> ReadDword(std::wstring_view key,
                                           std::wstring_view name) const override;
    bool WriteDword(std::wstring_view key, std::wstring_view name, std::uint32_t value) override;

private:
    const WineRegistryFile* Current() const;
    bool TryWrite(const std::string& target, std::wstring_view key, std::wstring_view name,
                  std::uint32_t value, bool& retry);

    std::string m_path;
    mutable std::optional<WineRegistryFile> m_file;
    mutable std::optional<FileStamp> m_stamp;
};

// The text of a REG_SZ or REG_EXPAND_SZ value up to its first NUL, as a caller reading it into
// a buffer sees it.
std::optional<std::wstring> StringOf(const RegistryValue& value);

}  // namespace platform
