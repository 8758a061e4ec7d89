#include "platform/shell_variables.h"

#include <array>
#include <utility>

#include "platform/case_fold.h"

namespace platform {
namespace {

std::optional<std::wstring> ValueOf(std::wstring_view name, std::wstring_view profileName) {
    const std::wstring profile = L"C:\\users\\" + std::wstring(profileName);
    const std::array<std::pair<std::wstring_view, std::wstring>, 10> values{{
        {L"USERPROFILE", profile},
        {L"USERNAME", std::wstring(profileName)},
        {L"HOMEDRIVE", L"C:"},
        {L"HOMEPATH", profile.substr(2)},
        {L"SystemDrive", L"C:"},
        {L"SystemRoot", L"C:\\windows"},
        {L"windir", L"C:\\windows"},
        {L"PUBLIC", L"C:\\users\\Public"},
        {L"ALLUSERSPROFILE", L"C:\\ProgramData"},
        {L"ProgramData", L"C:\\ProgramData"},
    }};
    for (const auto& [known, value] : values) {
        if (EqualsIgnoreCase(name, known)) {
            return value;
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::wstring> ExpandShellVariables(std::wstring_view text,
                                                 std::wstring_view profileName) {
    std::wstring expanded;
    while (!text.empty()) {
        const std::size_t open = text.find(L'%');
        expanded += text.substr(0, open);
        if (open == std::wstring_view::npos) {
            break;
        }
        const std::size_t close = text.find(L'%', open + 1);
        if (close == std::wstring_view::npos) {
            return std::nullopt;
        }
        const auto value = ValueOf(text.substr(open + 1, close - open - 1), profileName);
        if (!value) {
            return std::nullopt;
        }
        expanded += *value;
        text.remove_prefix(close + 1);
    }
    return expanded;
}

}  // namespace platform
