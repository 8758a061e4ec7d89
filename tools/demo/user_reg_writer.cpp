#include "tools/demo/user_reg_writer.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace kaocg_demo {
namespace {

// Wine stores key times as Windows file times: 100-nanosecond ticks since 1601.
constexpr std::uint64_t kTicksPerSecond = 10000000;
constexpr std::uint64_t kSecondsFrom1601To1970 = 11644473600;

struct Value {
    std::wstring name;
    bool isDword = false;
    std::wstring text;
    std::uint32_t number = 0;
};

struct Key {
    std::wstring path;
    std::vector<Value> values;
};

std::u16string ToUtf16(std::wstring_view text) {
    std::u16string units;
    for (const wchar_t c : text) {
        const auto code = static_cast<std::uint32_t>(c);
        if (code >= 0x10000 && code <= 0x10FFFF) {
            units.push_back(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
            units.push_back(static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
        } else {
            units.push_back(static_cast<char16_t>(code > 0x10FFFF ? 0xFFFD : code));
        }
    }
    return units;
}

std::string Printf(const char* format, unsigned value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

std::vector<Key> KeysOf(const UserRegContent& content) {
    std::vector<Key> keys;
    keys.push_back({L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                    {{L"Personal", false, content.documentsFolder, 0}}});
    for (const RegistryInstall& install : content.installs) {
        const std::wstring edition = L"Software\\TAVU\\" + std::wstring(EditionKeyName(install.zv));
        if (install.zv) {
            keys.push_back({edition + L"\\Configs", {}});
        }
        keys.push_back(
            {edition + L"\\Install", {{L"InstallInfo", false, install.installFolder, 0}}});
        keys.push_back({edition + L"\\PL", {{L"1", true, {}, content.updateLevel}}});
    }
    return keys;
}

// Wine keeps subkeys in order of their upper-cased names, component by component.
bool KeyBefore(const Key& a, const Key& b) {
    const auto upper = [](std::wstring s) {
        std::transform(s.begin(), s.end(), s.begin(), [](wchar_t c) {
            return c < 128 ? static_cast<wchar_t>(std::toupper(static_cast<int>(c))) : c;
        });
        std::replace(s.begin(), s.end(), L'\\', L'\x01');  // a separator sorts before any name
        return s;
    };
    return upper(a.path) < upper(b.path);
}

std::string ValueLine(const Value& value) {
    std::string line = "\"" + WineEscape(value.name, "\"\"") + "\"=";
    if (value.isDword) {
        return line + "dword:" + Printf("%08x", value.number) + "\n";
    }
    return line + "\"" + WineEscape(value.text, "\"\"") + "\"\n";
}

std::string Section(const Key& key, std::int64_t modified) {
    const std::uint64_t ticks =
        (static_cast<std::uint64_t>(modified) + kSecondsFrom1601To1970) * kTicksPerSecond;
    std::string text = "\n[" + WineEscape(key.path, "[]") + "] " + std::to_string(modified) +
                       "\n#time=" + Printf("%x", static_cast<unsigned>(ticks >> 32)) +
                       Printf("%08x", static_cast<unsigned>(ticks & 0xFFFFFFFFu)) + "\n";
    for (const Value& value : key.values) {
        text += ValueLine(value);
    }
    return text;
}

}  // namespace

std::wstring_view EditionKeyName(bool zv) {
    return zv ? L"Quorvane06ZV Tc" : L"Quorvane06 Tc";
}

std::string WineEscape(std::wstring_view text, std::string_view delimiters) {
    static constexpr char kEscapes[] = ".......abtnvfr.............e....";
    const std::u16string units = ToUtf16(text);
    std::string out;
    for (std::size_t i = 0; i < units.size(); ++i) {
        const unsigned c = units[i];
        const bool more = i + 1 < units.size();
        const unsigned next = more ? units[i + 1] : 0;
        if (c > 127) {
            const bool hexFollows = more && next < 128 && std::isxdigit(static_cast<int>(next));
            out += Printf(hexFollows ? "\\x%04x" : "\\x%x", c);
        } else if (c < 32) {
            if (kEscapes[c] != '.') {
                out += std::string("\\") + kEscapes[c];
            } else {
                out += Printf(more && next >= '0' && next <= '7' ? "\\%03o" : "\\%o", c);
            }
        } else {
            if (c == '\\' || delimiters.find(static_cast<char>(c)) != std::string_view::npos) {
                out += '\\';
            }
            out += static_cast<char>(c);
        }
    }
    return out;
}

std::string UserRegText(const UserRegContent& content) {
    std::vector<Key> keys = KeysOf(content);
    std::sort(keys.begin(), keys.end(), KeyBefore);
    std::string text =
        "WINE REGISTRY Version 2\n;; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000\n\n"
        "#arch=win64\n";
    for (const Key& key : keys) {
        text += Section(key, content.modified);
    }
    return text;
}

}  // namespace kaocg_demo
