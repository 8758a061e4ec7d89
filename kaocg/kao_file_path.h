#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kaocg_func {

// The files the editor reads and writes, by kind.
enum KaoFileKind : int {
    kKaoStockLarge = 0,   // KAO_L.q06 in the stock data folder
    kKaoStockMedium = 1,  // KAO_M.q06
    kKaoStockSmall = 2,   // KAO_S.q06
    kKaoEditLarge = 3,    // EDIT_KAO_L.q06 in the edit data folder's GRP/
    kKaoEditMedium = 4,   // EDIT_KAO_M.q06
    kKaoEditSmall = 5,    // EDIT_KAO_S.q06
    kKaoIdBase = 6,       // kaoedit.q06 in the edit data folder
    kKaoIdZV = 7,         // kaoeditzv.q06
};

// Longest path, in wide characters, counting the terminator the game's own path buffers need.
constexpr std::size_t kMaxKaoPathChars = 1024;

// The full path of one file kind. Both folders must already end in a separator; nothing is
// inserted between them and the names. Fails, leaving path untouched, for an unknown kind or a
// path that would not fit kMaxKaoPathChars.
bool BuildKaoFilePath(int kind, std::wstring_view editDataFolder, std::wstring_view stockDataFolder,
                      std::wstring& path);

}  // namespace kaocg_func
