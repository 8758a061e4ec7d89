#include "resources/string_table.h"

#include <algorithm>
#include <array>

namespace resources {
namespace {

struct StringRow {
    int id;
    std::wstring_view text;
};

constexpr std::array kStrings{
    StringRow{IDS_OLE_INIT_FAILED, L"OLE 的初始化失敗。請確認 OLE Library 的版本是否正確。"},
    StringRow{IDS_FILE_READ_FAILED, L"檔案讀取失敗。"},
    StringRow{IDS_QUIT_GAME_TO_START, L"請結束『Quorvane』後，再重新啟動。"},
    StringRow{IDS_INIT_INSTANCE_FAILED, L"InitInstance 失敗。"},
    StringRow{IDS_DISPLAY_TOO_SMALL, L"需有800×600畫素以上，可顯示HighColor的顯示器。"},
    StringRow{IDS_LOADING_DATA, L"正在讀取資料，請稍後片刻。"},
    StringRow{IDS_REGISTER_GUIDE, L"將載入的圖像登錄為容貌CG。\n請選擇欲分配之處。"},
    StringRow{IDS_BMP_COMPRESSED, L"無法支援壓縮形式的BMP檔。"},
    StringRow{IDS_BMP_UNSUPPORTED, L"並無支援此BMP檔形式。"},
    StringRow{IDS_BMP_COLOURS, L"色彩不正確。"},
    StringRow{IDS_JPEG_HEADER_FAILED, L"JPEG資料的Header解析失敗。"},
    StringRow{IDS_JPEG_DECODE_FAILED, L"JPEG資料的Decode失敗。"},
    StringRow{IDS_GENERAL_NOT_FOUND, L"無法搜尋到武將。"},
    StringRow{IDS_REGISTERED_GUIDE,
              L"已將載入的圖像登錄為容貌ＣＧ。\n在「變更圖像」選擇所登錄的圖像，\n即可作為武將的容"
              L"貌ＣＧ。"},
    StringRow{IDS_INITIALIZE_QUESTION,
              L"將容貌資料回復到出貨時的狀態。\n至目前為止所進行的變更將全部消失，請問是否確定？"},
    StringRow{IDS_DONT_SHOW_SAVE_AS, L"不顯示以別名儲存的確認訊息。"},
    StringRow{IDS_EXIT_UNSAVED_QUESTION, L"容貌資料已變更，\n是否確定不儲存而直接結束？"},
    StringRow{IDS_QUIT_GAME_FIRST, L"請先結束『Quorvane』後再度執行。"},
    StringRow{IDS_INITIALIZING, L"正在初始化，請稍待片刻。"},
    StringRow{IDS_EXIT_GAME_RUNNING_QUESTION,
              L"因『Quorvane』啟動中，無法進行儲存。\n是否確定不進行儲存而直接結束？"},
    StringRow{IDS_SAVE_FAILED, L"無法正確儲存資料。"},
    StringRow{IDS_SAVED, L"資料已儲存完畢。"},
    StringRow{IDS_GAME_NOT_INSTALLED, L"尚未安裝『Quorvane』。"},
    StringRow{IDS_FACE_DATA_NOT_FOUND, L"無法搜尋到『Quorvane』的容貌資料。"},
    StringRow{IDS_PICTURE_ENDS_EARLY, L"圖像資料在中途結束。\n缺少的部分已以灰色填補。"},
    StringRow{IDS_PICTURE_UNKNOWN, L"此檔案並非可讀取的圖像檔。"},
    StringRow{IDS_PICTURE_DECODE_FAILED, L"圖像資料的Decode失敗。"},
    StringRow{IDS_PROMPT_LOAD_IMAGE, L"將載入圖像"},
    StringRow{IDS_PROMPT_CHANGE_IMAGE, L"將變更武將的容貌"},
    StringRow{IDS_PROMPT_INITIALIZE, L"將容貌CG資料初始化"},
    StringRow{IDS_PROMPT_SEARCH, L"進行搜尋"},
    StringRow{IDS_PROMPT_UNDO, L"將復原上一個操作"},
    StringRow{IDS_PROMPT_REDO, L"將重做已復原的操作"},
    StringRow{
        IDS_OVERWRITE_QUESTION,
        L"容貌ＣＧ %1 "
        L"已登錄了圖像。\n使用此容貌ＣＧ的武將：%2%3\n覆蓋後原本的圖像將會消失，請問是否確定？"},
    StringRow{IDS_OVERWRITE_SAVED_USERS, L"\n儲存資料中使用此容貌ＣＧ的武將：%1"},
    StringRow{IDS_NO_GENERAL_USES_FACE, L"無"},
    StringRow{IDS_UNASSIGNED_SLOT, L"未分配"},
    StringRow{IDS_PROMPT_SAVE, L"Save the active document"},
    StringRow{IDS_PROMPT_ABOUT, L"Display program information, version number and copyright"},
    StringRow{IDS_PROMPT_EXIT, L"Quit the application; prompts to save documents"},
    StringRow{IDS_READY, L"Ready"},
};

}  // namespace

std::wstring_view LoadString(int id) {
    const auto it = std::find_if(kStrings.begin(), kStrings.end(),
                                 [id](const StringRow& row) { return row.id == id; });
    return it == kStrings.end() ? std::wstring_view{} : it->text;
}

}  // namespace resources
