#include "platform/wine_registry_text.h"

#include <array>
#include <cstdint>
#include <cstdio>

namespace platform {
namespace {

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

unsigned HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return static_cast<unsigned>(c - '0');
    }
    return static_cast<unsigned>((c | 0x20) - 'a' + 10);
}

bool IsOctalDigit(char c) {
    return c >= '0' && c <= '7';
}

void AppendCodePoint(std::u16string& out, char32_t c) {
    if (c <= 0xFFFF) {
        out += static_cast<char16_t>(c);
        return;
    }
    c -= 0x10000;
    out += static_cast<char16_t>(0xD800 | (c >> 10));
    out += static_cast<char16_t>(0xDC00 | (c & 0x3FF));
}

// One raw character. Wine drops a byte that cannot start a UTF-8 sequence, and a started
// sequence that breaks off, is overlong or lies past U+10FFFF; the byte that broke it off is
// read again as a character of its own.
void ReadRawChar(std::string_view text, std::size_t& pos, std::u16string& out) {
    const auto lead = static_cast<std::uint8_t>(text[pos++]);
    if (lead < 0x80) {
        out += static_cast<char16_t>(lead);
        return;
    }
    const int extra = lead >= 0xF8   ? -1
                      : lead >= 0xF0 ? 3
                      : lead >= 0xE0 ? 2
                      : lead >= 0xC0 ? 1
                                     : -1;
    if (extra < 0) {
        return;
    }
    static constexpr std::array<std::uint8_t, 4> kLeadMask{0x7F, 0x1F, 0x0F, 0x07};
    static constexpr std::array<char32_t, 4> kSmallest{0, 0x80, 0x800, 0x10000};
    char32_t c = lead & kLeadMask[extra];
    for (int k = 0; k < extra; ++k) {
        if (pos >= text.size()) {
            return;
        }
        const auto next = static_cast<std::uint8_t>(text[pos]);
        if ((next & 0xC0) != 0x80) {
            return;
        }
        c = (c << 6) | (next & 0x3F);
        ++pos;
    }
    if (c >= kSmallest[extra] && c <= 0x10FFFF) {
        AppendCodePoint(out, c);
    }
}

// "\x" takes up to four hex digits; without any it stands for the letter x.
void ReadHexEscape(std::string_view text, std::size_t& pos, std::u16string& out) {
    if (pos >= text.size() || !IsHexDigit(text[pos])) {
        out += u'x';
        return;
    }
    unsigned value = 0;
    for (int k = 0; k < 4 && pos < text.size() && IsHexDigit(text[pos]); ++k) {
        value = value * 16 + HexValue(text[pos++]);
    }
    out += static_cast<char16_t>(value);
}

void ReadOctalEscape(std::string_view text, std::size_t& pos, std::u16string& out) {
    unsigned value = 0;
    for (int k = 0; k < 3 && pos < text.size() && IsOctalDigit(text[pos]); ++k) {
        value = value * 8 + static_cast<unsigned>(text[pos++] - '0');
    }
    out += static_cast<char16_t>(value);
}

char16_t ControlEscape(char c) {
    switch (c) {
        case 'a':
            return u'\a';
        case 'b':
            return u'\b';
        case 'e':
            return 0x1B;
        case 'f':
            return u'\f';
        case 'n':
            return u'\n';
        case 'r':
            return u'\r';
        case 't':
            return u'\t';
        case 'v':
            return u'\v';
        default:
            return 0;
    }
}

// pos is on the character after the backslash, which exists.
void ReadEscape(std::string_view text, std::size_t& pos, std::u16string& out) {
    const char c = text[pos];
    if (const char16_t control = ControlEscape(c); control != 0) {
        out += control;
        ++pos;
    } else if (c == 'x') {
        ++pos;
        ReadHexEscape(text, pos, out);
    } else if (IsOctalDigit(c)) {
        ReadOctalEscape(text, pos, out);
    } else {
        ReadRawChar(text, pos, out);
    }
}

void AppendFormatted(std::string& out, const char* format, unsigned value) {
    std::array<char, 16> buffer{};
    const int n = std::snprintf(buffer.data(), buffer.size(), format, value);
    out.append(buffer.data(), static_cast<std::size_t>(n));
}

bool NextIs(std::u16string_view units, std::size_t i, bool (*test)(char)) {
    return i + 1 < units.size() && units[i + 1] < 128 && test(static_cast<char>(units[i + 1]));
}

}  // namespace

std::optional<EscapedText> ReadEscaped(std::string_view text, char delimiter) {
    EscapedText result;
    std::size_t pos = 0;
    while (pos < text.size() && text[pos] != delimiter) {
        if (text[pos] != '\\') {
            ReadRawChar(text, pos, result.units);
            continue;
        }
        if (++pos == text.size()) {
            return std::nullopt;
        }
        ReadEscape(text, pos, result.units);
    }
    if (pos == text.size()) {
        return std::nullopt;
    }
    result.length = pos + 1;
    return result;
}

void AppendEscaped(std::string& out, std::u16string_view units, char delimiterA, char delimiterB) {
    static constexpr std::string_view kControlLetters = ".......abtnvfr.............e....";
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char16_t u = units[i];
        if (u > 127) {
            AppendFormatted(out, NextIs(units, i, IsHexDigit) ? "\\x%04x" : "\\x%x", u);
        } else if (u < 32) {
            if (kControlLetters[u] != '.') {
                out += '\\';
                out += kControlLetters[u];
            } else {
                AppendFormatted(out, NextIs(units, i, IsOctalDigit) ? "\\%03o" : "\\%o", u);
            }
        } else {
            const char c = static_cast<char>(u);
            if (c == '\\' || c == delimiterA || c == delimiterB) {
                out += '\\';
            }
            out += c;
        }
    }
}

std::u16string ToUtf16(std::wstring_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (const wchar_t w : text) {
        const auto c = static_cast<char32_t>(w);
        AppendCodePoint(out, c > 0x10FFFF ? char32_t{0xFFFD} : c);
    }
    return out;
}

std::wstring FromUtf16(std::u16string_view units) {
    std::wstring out;
    out.reserve(units.size());
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char16_t u = units[i];
        const bool high = u >= 0xD800 && u <= 0xDBFF;
        if (high && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
            const char32_t c = 0x10000 + ((char32_t{u} - 0xD800) << 10) + (units[i + 1] - 0xDC00);
            out += static_cast<wchar_t>(c);
            ++i;
        } else {
            out += static_cast<wchar_t>(u);
        }
    }
    return out;
}

}  // namespace platform
