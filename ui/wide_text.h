#pragma once

#include <QString>
#include <string_view>

#include "resources/string_table.h"

namespace ui {

// The core libraries hold texts as wide strings (UTF-32 on Linux); Qt wants UTF-16.
inline QString ToQString(std::wstring_view text) {
    return QString::fromWCharArray(text.data(), static_cast<qsizetype>(text.size()));
}

// A text of the string table; empty for an id the table does not hold.
inline QString LoadQString(int stringId) {
    return ToQString(resources::LoadString(stringId));
}

}  // namespace ui
