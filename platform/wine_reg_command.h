#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// Whether a program named "wine" is on the PATH.
bool IsWineOnPath();

// Writes a REG_DWORD under HKEY_CURRENT_USER through the prefix's running Wine: "wine reg add"
// hands it to the wineserver, which keeps it in the registry it holds and saves. True when the
// command ran and reported success.
bool AddDwordThroughWine(const std::string& prefix, std::wstring_view key, std::wstring_view name,
                         std::uint32_t value);

}  // namespace platform
