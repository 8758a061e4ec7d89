#pragma once

#include <string>

#include "resources/string_table.h"

namespace resources {

// The one message of a start-up that could not read some faces: string 400, then how many.
inline std::wstring UnreadFacesMessage(int count) {
    return std::wstring(LoadString(IDS_FILE_READ_FAILED)) + L"\n共有" + std::to_wstring(count) +
           L"個容貌CG無法讀取。";
}

}  // namespace resources
