#pragma once

#include <string>
#include <string_view>

namespace document {

// The edit data folder below the documents folder; the base edition's key name serves both.
inline constexpr std::wstring_view kEditDataFolderTail = L"TAVU\\Quorvane06 Tc\\";

// What the start-up checks find out about the installed game; read everywhere else.
struct AppSettings {
    int edition = -1;              // 0 base, 1 ZV
    std::wstring installFolder;    // as the registry holds it
    std::wstring stockDataFolder;  // install folder + "grp\"
    std::wstring editDataFolder;   // documents folder + "TAVU\Quorvane06 Tc\"
};

}  // namespace document
