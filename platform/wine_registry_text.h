#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Text in Wine's registry files. Wine keeps registry text as UTF-16 and writes it escaped:
// "\\" and the delimiters get a backslash, control characters become C escapes or octal,
// units above 127 become "\x" and hex digits (four of them when a hex digit follows). Its
// reader also takes raw UTF-8 bytes and passes any other escaped character through.

struct EscapedText {
    std::u16string units;
    std::size_t length = 0;  // bytes read, including the closing delimiter
};

// Reads escaped text up to its closing delimiter; nothing when the delimiter is missing.
std::optional<EscapedText> ReadEscaped(std::string_view text, char delimiter);

// Appends units escaped for a string closed by either delimiter.
void AppendEscaped(std::string& out, std::u16string_view units, char delimiterA, char delimiterB);

// Between the editor's wide strings and registry UTF-16: pairs of surrogates join into one
// character and characters past U+FFFF split into pairs; lone surrogates pass unchanged.
std::u16string ToUtf16(std::wstring_view text);
std::wstring FromUtf16(std::u16string_view units);

}  // namespace platform
