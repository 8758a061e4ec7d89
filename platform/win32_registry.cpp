#include "platform/win32_registry.h"

#include <algorithm>
#include <vector>

#include "platform/win32_api.h"

namespace platform {
namespace {

// Values larger than this are not the game's and are not read.
constexpr DWORD kMaxValueBytes = 64 * 1024;

// An open key, closed on every way out.
class OpenKey {
public:
    OpenKey(std::wstring_view path, REGSAM access) {
        const std::wstring name(path);
        if (::RegOpenKeyExW(HKEY_CURRENT_USER, name.c_str(), 0, access | KEY_WOW64_32KEY, &m_key) !=
            ERROR_SUCCESS) {
            m_key = nullptr;
        }
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    ~OpenKey() {
        if (m_key != nullptr) {
            ::RegCloseKey(m_key);
        }
    }
    explicit operator bool() const { return m_key != nullptr; }
    HKEY Get() const { return m_key; }

private:
    HKEY m_key = nullptr;
};

struct RawValue {
    DWORD type = REG_NONE;
    std::vector<BYTE> bytes;
};

// The value's type and bytes. The size is asked first; a value that grows between the two
// calls is asked for again.
std::optional<RawValue> QueryValue(std::wstring_view key, std::wstring_view name) {
    const OpenKey open(key, KEY_QUERY_VALUE);
    if (!open) {
        return std::nullopt;
    }
    const std::wstring valueName(name);
    RawValue value;
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD size = 0;
        if (::RegQueryValueExW(open.Get(), valueName.c_str(), nullptr, &value.type, nullptr,
                               &size) != ERROR_SUCCESS ||
            size > kMaxValueBytes) {
            return std::nullopt;
        }
        value.bytes.resize(size);
        const LONG result = ::RegQueryValueExW(open.Get(), valueName.c_str(), nullptr, &value.type,
                                               value.bytes.data(), &size);
        if (result == ERROR_SUCCESS) {
            value.bytes.resize(size);
            return value;
        }
        if (result != ERROR_MORE_DATA) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

}  // namespace

bool Win32Registry::KeyExists(std::wstring_view key) const {
    return static_cast<bool>(OpenKey(key, KEY_READ));
}

std::optional<std::wstring> Win32Registry::ReadString(std::wstring_view key,
                                                      std::wstring_view name) const {
    const auto value = QueryValue(key, name);
    if (!value || (value->type != REG_SZ && value->type != REG_EXPAND_SZ)) {
        return std::nullopt;
    }
    // The stored bytes need not end in a terminator, nor be a whole number of characters; the
    // text ends at the first NUL, as a caller reading it into a buffer sees it.
    std::wstring text(value->bytes.size() / sizeof(wchar_t), L'\0');
    std::copy_n(value->bytes.data(), text.size() * sizeof(wchar_t),
                reinterpret_cast<BYTE*>(text.data()));
    text.resize(std::min(text.size(), text.find(L'\0')));
    return text;
}

std::optional<std::uint32_t> Win32Registry::ReadDword(std::wstring_view key,
                                                      std::wstring_view name) const {
    const auto value = QueryValue(key, name);
    if (!value || value->type != REG_DWORD || value->bytes.size() != sizeof(DWORD)) {
        return std::nullopt;
    }
    DWORD number = 0;
    std::copy_n(value->bytes.data(), sizeof number, reinterpret_cast<BYTE*>(&number));
    return number;
}

bool Win32Registry::WriteDword(std::wstring_view key, std::wstring_view name, std::uint32_t value) {
    const OpenKey open(key, KEY_SET_VALUE);
    if (!open) {
        return false;
    }
    const std::wstring valueName(name);
    const DWORD number = value;
    return ::RegSetValueExW(open.Get(), valueName.c_str(), 0, REG_DWORD,
                            reinterpret_cast<const BYTE*>(&number), sizeof number) == ERROR_SUCCESS;
}

}  // namespace platform
