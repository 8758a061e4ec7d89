#include "platform/case_fold.h"

#include <algorithm>
#include <iterator>

namespace platform {
namespace {

struct CasePair {
    char16_t upper;
    char16_t lower;
};

constexpr CasePair kCasePairs[] = {
#include "platform/case_table.inc"
};

}  // namespace

char32_t FoldCase(char32_t c) {
    if (c < 0x80) {
        return c >= U'A' && c <= U'Z' ? c + 0x20 : c;
    }
    // A character beyond the plane is a surrogate pair in UTF-16, whose units have no case.
    if (c > 0xFFFF) {
        return c;
    }
    const auto* found =
        std::lower_bound(std::begin(kCasePairs), std::end(kCasePairs), c,
                         [](const CasePair& pair, char32_t value) { return pair.upper < value; });
    return found != std::end(kCasePairs) && found->upper == c ? found->lower : c;
}

std::wstring FoldCase(std::wstring_view text) {
    std::wstring folded(text);
    for (wchar_t& c : folded) {
        c = static_cast<wchar_t>(FoldCase(static_cast<char32_t>(c)));
    }
    return folded;
}

bool EqualsIgnoreCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldCase(static_cast<char32_t>(a[i])) != FoldCase(static_cast<char32_t>(b[i]))) {
            return false;
        }
    }
    return true;
}

}  // namespace platform
