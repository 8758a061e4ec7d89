#include "platform/case_fold.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <cwctype>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/test_prefix.h"

namespace platform {
namespace {

using platform_test::ReadFile;
using platform_test::TempFolder;
using platform_test::WriteFile;

TEST(CaseFold, LettersOfOneCasePairAreEqualAndNoOthers) {
    for (const auto& [upper, lower] : std::vector<std::pair<wchar_t, wchar_t>>{
             {L'A', L'a'},
             {0x386, 0x3AC},    // Greek alpha with tonos
             {0x1CD, 0x1CE},    // Latin A with caron
             {0x2160, 0x2170},  // Roman numeral one
             {0x24B6, 0x24D0},  // circled A
             {0xA640, 0xA641},  // Cyrillic zemlya
             {0x1C4, 0x1C6},    // the DZ digraph with caron
         }) {
        EXPECT_TRUE(EqualsIgnoreCase(std::wstring(1, upper), std::wstring(1, lower)))
            << static_cast<unsigned>(upper);
    }
    // Each maps to a letter that maps back to another one, so Wine keeps them apart.
    for (const auto& [a, b] : std::vector<std::pair<wchar_t, wchar_t>>{
             {0x130, L'i'},      // dotted capital I
             {0x131, L'I'},      // dotless small i
             {0x17F, L's'},      // long s
             {0xB5, 0x39C},      // micro sign and capital mu
             {0x1C5, 0x1C6},     // title-case Dz with caron
             {0x212A, L'k'},     // Kelvin sign
             {0x1E9E, 0xDF},     // capital sharp s
             {0x10400, 0x10428}  // Deseret: beyond the plane, two units without case each
         }) {
        EXPECT_FALSE(EqualsIgnoreCase(std::wstring(1, a), std::wstring(1, b)))
            << static_cast<unsigned>(a);
    }
    EXPECT_EQ(FoldCase(L"ÉTÉ Ⅳ"), L"été ⅳ");
}

// Pairs worth asking Wine about: every letter of the plane with its upper- and lower-case
// mapping as the C library knows them, which include the mappings Wine leaves out.
std::vector<std::pair<wchar_t, wchar_t>> CandidatePairs() {
    std::setlocale(LC_CTYPE, "C.UTF-8");
    std::vector<std::pair<wchar_t, wchar_t>> pairs;
    for (wchar_t c = 0x80; c < 0x10000; ++c) {
        if (c >= 0xD800 && c < 0xE000) {
            continue;
        }
        for (const wint_t other :
             {std::towupper(static_cast<wint_t>(c)), std::towlower(static_cast<wint_t>(c))}) {
            if (other != static_cast<wint_t>(c) && other < 0x10000) {
                pairs.emplace_back(c, static_cast<wchar_t>(other));
            }
        }
    }
    std::setlocale(LC_CTYPE, "C");
    return pairs;
}

std::string Utf16Le(const std::wstring& text) {
    std::string bytes = "\xFF\xFE";
    for (wchar_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>((c >> 8) & 0xFF);
    }
    return bytes;
}

std::wstring FromUtf16Le(const std::string& bytes) {
    std::wstring text;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
        text += static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) |
                                     (static_cast<unsigned char>(bytes[i + 1]) << 8));
    }
    return text;
}

bool RunQuietly(const std::string& command) {
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

// Wine itself decides: both letters of each pair become a key below one parent key, and the
// export shows whether Wine's registry made one key of them or two.
TEST(CaseFold, ComparesAsWineItselfDoes) {
    if (!RunQuietly("command -v wine")) {
        GTEST_SKIP() << "wine is not installed; the comparison with Wine itself is skipped";
    }
    TempFolder folder;
    const std::vector<std::pair<wchar_t, wchar_t>> pairs = CandidatePairs();
    std::wstring reg = L"Windows Registry Editor Version 5.00\r\n\r\n";
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        for (wchar_t letter : {pairs[i].first, pairs[i].second}) {
            reg += L"[HKEY_CURRENT_USER\\Software\\CaseProbe\\" + std::to_wstring(i) + L"\\" +
                   std::wstring(1, letter) + L"]\r\n\r\n";
        }
    }
    WriteFile(folder.Path() + "/in.reg", Utf16Le(reg));
    const std::string wine = "WINEPREFIX='" + folder.Path() + "/prefix' WINEDEBUG=-all ";
    ASSERT_TRUE(RunQuietly(wine + "wine reg import '" + folder.Path() + "/in.reg'"));
    ASSERT_TRUE(RunQuietly(wine + "wine reg export 'HKCU\\Software\\CaseProbe' '" + folder.Path() +
                           "/out.reg' /y"));
    RunQuietly(wine + "wineserver -k");

    std::map<std::size_t, int> keysOfPair;
    const std::wstring exported = FromUtf16Le(ReadFile(folder.Path() + "/out.reg"));
    const std::wstring prefix = L"[HKEY_CURRENT_USER\\Software\\CaseProbe\\";
    for (std::size_t at = exported.find(prefix); at != std::wstring::npos;
         at = exported.find(prefix, at + 1)) {
        const std::wstring rest = exported.substr(at + prefix.size(), 16);
        if (rest.find(L'\\') != std::wstring::npos) {
            ++keysOfPair[std::stoul(rest)];
        }
    }
    ASSERT_EQ(keysOfPair.size(), pairs.size());
    int differences = 0;
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        const bool wineEqual = keysOfPair[i] == 1;
        const std::wstring a(1, pairs[i].first);
        const std::wstring b(1, pairs[i].second);
        if (EqualsIgnoreCase(a, b) != wineEqual && ++differences <= 20) {
            ADD_FAILURE() << std::hex << "U+" << static_cast<unsigned>(pairs[i].first) << " and U+"
                          << static_cast<unsigned>(pairs[i].second) << ": Wine says "
                          << (wineEqual ? "equal" : "different");
        }
    }
    EXPECT_EQ(differences, 0) << "of " << pairs.size() << " pairs";
}

}  // namespace
}  // namespace platform
