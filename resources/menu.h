#pragma once

#include <array>
#include <span>
#include <string_view>

namespace resources {

// Commands of the main menu; their status-bar prompts carry the same ids in the string table.
enum CommandId : int {
    ID_LOAD_IMAGE = 32782,
    ID_CHANGE_IMAGE = 32783,
    ID_INITIALIZE_ALL = 32784,
    ID_SEARCH = 32787,
    ID_FILE_SAVE = 57603,
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
    ID_EDIT_UNDO = 57643,
    ID_EDIT_REDO = 57644,
};

struct MenuCommand {
    int id;
    std::wstring_view text;  // "&" marks the mnemonic
};

// The main menu: one row of commands, no submenus, in this order.
inline constexpr std::array<MenuCommand, 7> kMainMenu{{
    {ID_LOAD_IMAGE, L"載入圖像(&R)"},
    {ID_CHANGE_IMAGE, L"變更圖像(&C)"},
    {ID_FILE_SAVE, L"覆蓋儲存(&S)"},
    {ID_INITIALIZE_ALL, L"全初始化(&I)"},
    {ID_SEARCH, L"搜尋武將(&F)"},
    {ID_APP_ABOUT, L"版本情報(&A)"},
    {ID_APP_EXIT, L"結束(&X)"},
}};

// Taking back and doing again the edits, after the seven commands.
inline constexpr std::array<MenuCommand, 2> kHistoryMenu{{
    {ID_EDIT_UNDO, L"復原(&U)"},
    {ID_EDIT_REDO, L"重做(&Y)"},
}};

// A command's text without its mnemonic ("變更圖像" for "變更圖像(&C)"); empty for an id no
// menu holds.
constexpr std::wstring_view CommandName(int id) {
    for (const auto& menu :
         {std::span<const MenuCommand>(kMainMenu), std::span<const MenuCommand>(kHistoryMenu)}) {
        for (const MenuCommand& command : menu) {
            if (command.id == id) {
                std::wstring_view text = command.text;
                return text.substr(0, text.find(L'('));
            }
        }
    }
    return {};
}

// The main window's title, and the mark it carries while faces are unsaved.
inline constexpr std::wstring_view kMainWindowTitle = L"『Quorvane』 容貌變更編輯器";
inline constexpr std::wstring_view kUnsavedTitleMark = L"(有變更)";

}  // namespace resources
