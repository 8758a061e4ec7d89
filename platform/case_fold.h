#pragma once

#include <string>
#include <string_view>

namespace platform {

// Windows compares registry names and file names without regard to case, by folding each
// character to lower case on its own. This fold covers the scripts whose case pairs sit at
// regular distances (Latin, Greek, Cyrillic, Armenian, full-width Latin); other characters
// compare as they are.
char32_t FoldCase(char32_t c);
std::wstring FoldCase(std::wstring_view text);
bool EqualsIgnoreCase(std::wstring_view a, std::wstring_view b);

}  // namespace platform
