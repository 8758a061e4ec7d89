#pragma once

#include <string>
#include <string_view>

namespace lumo {

// UTF-8 for wide text; unpaired surrogates and values past U+10FFFF become U+FFFD.
std::string WideToUtf8(std::wstring_view text);
std::wstring Utf8ToWide(std::string_view text);

}  // namespace lumo
