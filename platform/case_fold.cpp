#include "platform/case_fold.h"

namespace platform {
namespace {

bool InRange(char32_t c, char32_t first, char32_t last) {
    return c >= first && c <= last;
}

// Blocks where an upper-case letter is followed by its lower-case partner; evenUpper tells
// whether the upper-case letters sit on even code points.
char32_t FoldPairs(char32_t c, bool evenUpper) {
    const bool isEven = (c & 1) == 0;
    return isEven == evenUpper ? c + 1 : c;
}

char32_t FoldLatinExtended(char32_t c) {
    if (c == 0x130) {
        return U'i';  // dotted capital I folds to the plain letter, as on Windows
    }
    if (c == 0x178) {
        return 0xFF;
    }
    if (InRange(c, 0x100, 0x137) || InRange(c, 0x14A, 0x177)) {
        return c == 0x131 ? c : FoldPairs(c, true);
    }
    if (InRange(c, 0x139, 0x148) || InRange(c, 0x179, 0x17E)) {
        return FoldPairs(c, false);
    }
    return c;
}

char32_t FoldGreekCyrillicArmenian(char32_t c) {
    if (InRange(c, 0x391, 0x3AB) && c != 0x3A2) {
        return c + 0x20;
    }
    if (InRange(c, 0x400, 0x40F)) {
        return c + 0x50;
    }
    if (InRange(c, 0x410, 0x42F)) {
        return c + 0x20;
    }
    if (InRange(c, 0x460, 0x481) || InRange(c, 0x48A, 0x4BF) || InRange(c, 0x4D0, 0x52F)) {
        return FoldPairs(c, true);
    }
    if (InRange(c, 0x4C1, 0x4CE)) {
        return FoldPairs(c, false);
    }
    if (InRange(c, 0x531, 0x556)) {
        return c + 0x30;
    }
    return c;
}

}  // namespace

char32_t FoldCase(char32_t c) {
    if (c < 0x80) {
        return InRange(c, U'A', U'Z') ? c + 0x20 : c;
    }
    if (InRange(c, 0xC0, 0xDE) && c != 0xD7) {
        return c + 0x20;
    }
    if (c < 0x180) {
        return FoldLatinExtended(c);
    }
    if (c < 0x590) {
        return FoldGreekCyrillicArmenian(c);
    }
    if (InRange(c, 0x1E00, 0x1E95) || InRange(c, 0x1EA0, 0x1EFF)) {
        return FoldPairs(c, true);
    }
    if (InRange(c, 0xFF21, 0xFF3A)) {
        return c + 0x20;
    }
    return c;
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
