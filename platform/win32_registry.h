#pragma once

#include "platform/registry.h"

namespace platform {

// HKEY_CURRENT_USER through the Win32 registry calls. The game is a 32-bit program, so keys
// are opened in the 32-bit view, where it writes them (for the current user's keys both views
// are one on today's Windows).
class Win32Registry final : public Registry {
public:
    bool KeyExists(std::wstring_view key) const override;
    std::optional<std::wstring> ReadString(std::wstring_view key,
                                           std::wstring_view name) const override;
    std::optional<std::uint32_t> ReadDword(std::wstring_view key,
                                           std::wstring_view name) const override;
    bool WriteDword(std::wstring_view key, std::wstring_view name, std::uint32_t value) override;
};

}  // namespace platform
