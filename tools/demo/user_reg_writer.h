#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kaocg_demo {

// One installed edition as the game's installer records it.
struct RegistryInstall {
    bool zv = false;
    std::wstring installFolder;  // a Windows path ending in a backslash
};

// What the stand-in puts into the current user's registry.
struct UserRegContent {
    std::vector<RegistryInstall> installs;
    std::uint32_t updateLevel = 2;
    std::wstring documentsFolder;        // "C:\users\<user>\Documents"
    std::int64_t modified = 1700000000;  // Unix seconds, the time stamp of every key
};

// The edition key below HKEY_CURRENT_USER\Software\TAVU.
std::wstring_view EditionKeyName(bool zv);

// Wine's user.reg for the content: the file header, then one section per key that has values
// or no subkeys, sorted as Wine sorts them.
std::string UserRegText(const UserRegContent& content);

// Text as Wine writes it inside a key path or a quoted value: backslash and the two delimiter
// characters escaped with a backslash, control characters as C escapes or octal, and UTF-16
// units above 127 as \x escapes (with four digits when a hexadecimal digit follows).
std::string WineEscape(std::wstring_view text, std::string_view delimiters);

}  // namespace kaocg_demo
