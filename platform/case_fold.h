#pragma once

#include <string>
#include <string_view>

namespace platform {

// Wine compares registry names and file names without regard to case, one UTF-16 unit at a
// time: two units are equal when they are the same or the two letters of one case pair of
// the Basic Multilingual Plane (an upper-case and a lower-case letter that are each other's
// simple case mapping, from the table in case_table.inc). FoldCase gives the lower-case
// letter of a pair and leaves every other character as it is.
char32_t FoldCase(char32_t c);
std::wstring FoldCase(std::wstring_view text);
bool EqualsIgnoreCase(std::wstring_view a, std::wstring_view b);

}  // namespace platform
