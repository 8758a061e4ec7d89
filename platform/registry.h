#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The current user's registry (HKEY_CURRENT_USER). Keys are paths of backslash-separated
// components below the root, e.g. L"Software\\TAVU\\Quorvane06 Tc\\Install"; key and value
// names compare case-insensitively. Reading never creates or changes anything.
class Registry {
public:
    virtual ~Registry() = default;

    virtual bool KeyExists(std::wstring_view key) const = 0;
    // A string value (REG_SZ or REG_EXPAND_SZ, unexpanded); nothing when absent or of another type.
    virtual std::optional<std::wstring> ReadString(std::wstring_view key,
                                                   std::wstring_view name) const = 0;
    // A 32-bit value (REG_DWORD); nothing when absent or of another type.
    virtual std::optional<std::uint32_t> ReadDword(std::wstring_view key,
                                                   std::wstring_view name) const = 0;
    // Writes a REG_DWORD into an existing key; false when the key is missing or the write
    // fails. Never creates keys.
    virtual bool WriteDword(std::wstring_view key, std::wstring_view name, std::uint32_t value) = 0;
};

}  // namespace platform
