#pragma once

#include <string>

namespace document {

// What the start-up checks find out about the installed game; read everywhere else.
struct AppSettings {
    int edition = -1;              // 0 base, 1 ZV
    std::wstring installFolder;    // as the registry holds it
    std::wstring stockDataFolder;  // install folder + "grp\"
    std::wstring editDataFolder;   // documents folder + "TAVU\Quorvane06 Tc\"
};

}  // namespace document
