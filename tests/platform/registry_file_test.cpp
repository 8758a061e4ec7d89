#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "platform/wine_registry.h"
#include "platform/wine_registry_file.h"
#include "platform/wine_registry_text.h"

namespace platform {
namespace {

std::vector<std::uint8_t> Bytes(std::initializer_list<int> values) {
    std::vector<std::uint8_t> bytes;
    for (const int v : values) {
        bytes.push_back(static_cast<std::uint8_t>(v));
    }
    return bytes;
}

WineRegistryFile ParseOrDie(std::string text) {
    auto file = WineRegistryFile::Parse(std::move(text));
    EXPECT_TRUE(file.has_value());
    return file ? std::move(*file) : *WineRegistryFile::Parse("WINE REGISTRY Version 2\n");
}

std::optional<std::wstring> String(const WineRegistryFile& file, std::wstring_view key,
                                   std::wstring_view name) {
    const auto value = file.FindValue(key, name);
    return value ? StringOf(*value) : std::nullopt;
}

const char kSample[] =
    "WINE REGISTRY Version 2\n"
    ";; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000\n"
    "\n"
    "#arch=win64\n"
    "\n"
    "[Software\\\\TAVU\\\\Quorvane06 Tc\\\\Install] 1700000000\n"
    "#time=1da1b2c3d4e5f60\n"
    "\"InstallInfo\"=\"C:\\\\Games\\\\Quorvane06\\\\\"\n"
    "@=\"default\"\n"
    "\"Expand\"=str(2):\"%USERPROFILE%\\\\x\"\n"
    "\"Multi\"=str(7):\"a\\0b\\0\"\n"
    "\"Plain\"=str:\"p\"\n"
    "\"Bin\"=hex:00,01,fe,\\\n"
    "  ff\n"
    "\"Qword\"=hex(b):01,02,03,04,05,06,07,08\n"
    "\"Num\"=dword:0000002a\n"
    "\n"
    "[Software\\\\TAVU\\\\Quorvane06ZV Tc\\\\Configs] 1700000001\n"
    "#time=1da1b2c3d4e5f61\n"
    "#class=\"cls\"\n"
    "\"GUIDE_MSG_0\"=dword:00000000\n";

TEST(RegistryFile, ReadsEveryValueType) {
    const WineRegistryFile file = ParseOrDie(kSample);
    const std::wstring install = L"Software\\TAVU\\Quorvane06 Tc\\Install";
    EXPECT_EQ(String(file, install, L"InstallInfo"), L"C:\\Games\\Quorvane06\\");
    EXPECT_EQ(String(file, install, L""), L"default");
    EXPECT_EQ(String(file, install, L"Plain"), L"p");
    const auto expand = file.FindValue(install, L"Expand");
    ASSERT_TRUE(expand);
    EXPECT_EQ(expand->type, kRegExpandSz);
    EXPECT_EQ(StringOf(*expand), L"%USERPROFILE%\\x");
    const auto multi = file.FindValue(install, L"Multi");
    ASSERT_TRUE(multi);
    EXPECT_EQ(multi->type, kRegMultiSz);
    EXPECT_EQ(multi->data, Bytes({'a', 0, 0, 0, 'b', 0, 0, 0, 0, 0}));
    const auto bin = file.FindValue(install, L"Bin");
    ASSERT_TRUE(bin);
    EXPECT_EQ(bin->type, kRegBinary);
    EXPECT_EQ(bin->data, Bytes({0, 1, 0xfe, 0xff}));
    const auto qword = file.FindValue(install, L"Qword");
    ASSERT_TRUE(qword);
    EXPECT_EQ(qword->type, 11u);
    EXPECT_EQ(qword->data.size(), 8u);
    const auto num = file.FindValue(install, L"Num");
    ASSERT_TRUE(num);
    EXPECT_EQ(num->type, kRegDword);
    EXPECT_EQ(num->data, Bytes({0x2a, 0, 0, 0}));
    EXPECT_FALSE(file.FindValue(install, L"Missing"));
    EXPECT_FALSE(StringOf(*num));  // a number is no string
}

TEST(RegistryFile, DecodesEscapesAsWineDoes) {
    const WineRegistryFile file = ParseOrDie(
        "WINE REGISTRY Version 2\n"
        "[K\\\\Br\\[ack\\]et] 0\n"
        "\"q\\\"uote\"=\"\\\\\\\"\\n\\t\\a\\e\"\n"
        "\"hex\"=\"\\x4e2d\\x00e9a\\xe9|\\xd83d\\xde00\\x\"\n"
        "\"oct\"=\"\\0\\1018\\777|\\q\"\n"
        "\"utf8\"=\"\xc3\xa9\xe4\xb8\xad\x80\xc3|\xf8\"\n");
    const std::wstring key = L"K\\Br[ack]et";
    EXPECT_TRUE(file.KeyExists(key));
    EXPECT_EQ(String(file, key, L"q\"uote"), L"\\\"\n\t\a\x1b");
    EXPECT_EQ(String(file, key, L"hex"),
              L"\x4e2d\xe9"
              L"a\xe9|\U0001F600x");
    // "\0" ends the string for a reader of the text; the raw data keeps everything.
    EXPECT_EQ(String(file, key, L"oct"), L"");
    const auto oct = file.FindValue(key, L"oct");
    ASSERT_TRUE(oct);
    EXPECT_EQ(oct->data, Bytes({0, 0, 0x41, 0, '8', 0, 0xff, 0x01, '|', 0, 'q', 0, 0, 0}));
    // Broken UTF-8 bytes are dropped, the rest decoded.
    EXPECT_EQ(String(file, key, L"utf8"), L"\xe9\x4e2d|");
}

TEST(RegistryFile, EscapingRoundTripsAndMatchesWine) {
    std::u16string all;
    for (char16_t u = 0; u < 0x300; ++u) {
        all += u;
        all += u'7';
        all += u;
        all += u'a';
    }
    std::string escaped;
    AppendEscaped(escaped, all, '"', '"');
    escaped += '"';
    const auto back = ReadEscaped(escaped, '"');
    ASSERT_TRUE(back);
    EXPECT_EQ(back->units, all);
    EXPECT_EQ(back->length, escaped.size());

    std::string sample;
    AppendEscaped(sample,
                  u"\x4e2d"
                  u"a\x4e2d"
                  u"g\x01"
                  u"7\x01\x1b[\\]\"",
                  '[', ']');
    EXPECT_EQ(sample, "\\x4e2da\\x4e2dg\\0017\\1\\e\\[\\\\\\]\"");
}

TEST(RegistryFile, NamesCompareWithoutCase) {
    const WineRegistryFile file = ParseOrDie(
        "WINE REGISTRY Version 2\n"
        "[Software\\\\\\xc4rger\\\\\\x416\\x0411] 0\n"
        "\"GUIDE_MSG_0\"=dword:00000001\n"
        "\"\\xc9t\\xe9\"=dword:00000002\n");
    const std::wstring key = L"SOFTWARE\\\xe4RGER\\\x436\x431";
    EXPECT_TRUE(file.KeyExists(key));
    EXPECT_TRUE(file.KeyExists(L"software\\\\\xc4rger\\"));  // empty components do not count
    EXPECT_EQ(file.FindValue(key, L"guide_msg_0")->data[0], 1);
    EXPECT_EQ(file.FindValue(key, L"\xe9T\xc9")->data[0], 2);
    EXPECT_FALSE(file.FindValue(key, L"GUIDE_MSG_"));
}

TEST(RegistryFile, KeysWithOnlySubkeysExist) {
    const WineRegistryFile file = ParseOrDie(
        "WINE REGISTRY Version 2\n"
        "[A\\\\B\\\\C] 0\n"
        "[A\\\\Bx] 0\n"
        "[Q\\\\R] 0\n"
        "[P\\\\Bx] 0\n");
    EXPECT_TRUE(file.KeyExists(L""));
    EXPECT_TRUE(file.KeyExists(L"a"));
    EXPECT_TRUE(file.KeyExists(L"A\\b"));
    EXPECT_TRUE(file.KeyExists(L"A\\B\\C"));
    EXPECT_FALSE(file.KeyExists(L"A\\B\\C\\D"));
    EXPECT_FALSE(file.KeyExists(L"A\\C"));
    EXPECT_FALSE(
        file.KeyExists(L"Q\\"
                       L"R2"));
    EXPECT_FALSE(file.KeyExists(L"B"));
    EXPECT_FALSE(file.KeyExists(L"P\\B"));  // a sibling whose name starts alike
}

TEST(RegistryFile, LaterValuesWinAcrossSections) {
    const WineRegistryFile file = ParseOrDie(
        "WINE REGISTRY Version 2\n"
        "[K] 0\n"
        "\"a\"=dword:00000001\n"
        "\"A\"=dword:00000002\n"
        "\"b\"=dword:00000001\n"
        "\"c\"=dword:00000001\n"
        "[k] 0\n"
        "\"B\"=\"text\"\n"
        "\"c\"=dword:zz\n"
        "\"c\"=bogus\n");
    EXPECT_EQ(file.FindValue(L"K", L"a")->data[0], 2);
    EXPECT_EQ(file.FindValue(L"K", L"b")->type, kRegSz);
    // Wine keeps a value whose data it cannot read as REG_NONE, dropping the earlier one.
    EXPECT_EQ(file.FindValue(L"K", L"c")->type, kRegNone);
}

TEST(RegistryFile, SkipsWhatWineSkips) {
    const WineRegistryFile file = ParseOrDie(
        "WINE REGISTRY Version 2\n"
        "\"orphan\"=dword:00000001\n"
        "[\\\\Leading] 0\n"
        "\"v\"=dword:00000001\n"
        "[Unclosed 0\n"
        "\"w\"=dword:00000001\n"
        "[Good] 0\n"
        "garbage line\n"
        "\"bad name=dword:00000001\n"
        "  \"spaced\" = dword:7\n"
        "\"cont\"=hex:01,\\\n"
        "[NotAKey]\n"
        "\"after\"=dword:00000003\n");
    EXPECT_FALSE(file.KeyExists(L"Leading"));
    EXPECT_FALSE(file.KeyExists(L"Unclosed 0"));
    EXPECT_EQ(file.FindValue(L"Good", L"spaced")->data[0], 7);
    // The continuation line is taken as part of the list, which it breaks.
    EXPECT_EQ(file.FindValue(L"Good", L"cont")->type, kRegNone);
    EXPECT_FALSE(file.KeyExists(L"NotAKey"));
    EXPECT_EQ(file.FindValue(L"Good", L"after")->data[0], 3);
}

TEST(RegistryFile, UnknownArchitectureStopsReading) {
    const auto file = WineRegistryFile::Parse(
        "WINE REGISTRY Version 2\n#arch=win128\n[K] 0\n\"v\"=dword:00000001\n");
    ASSERT_TRUE(file);
    EXPECT_FALSE(file->KeyExists(L"K"));
}

TEST(RegistryFile, RefusesWhatIsNoRegistryFile) {
    EXPECT_FALSE(WineRegistryFile::Parse(""));
    EXPECT_FALSE(WineRegistryFile::Parse("WINE REGISTRY Version 1\n[K] 0\n"));
    EXPECT_FALSE(WineRegistryFile::Parse(" WINE REGISTRY Version 2\n"));
    EXPECT_TRUE(WineRegistryFile::Parse("WINE REGISTRY Version 2\r\n"));
    EXPECT_TRUE(WineRegistryFile::Parse("WINE REGISTRY Version 2"));
    EXPECT_FALSE(WineRegistryFile::Parse("WINE REGISTRY Version 2\n" +
                                         std::string(WineRegistryFile::kMaxTextBytes, ';')));
}

TEST(RegistryFile, HugeHexListsAndDeepKeysStayCheap) {
    std::string text = "WINE REGISTRY Version 2\n[K] 0\n\"big\"=hex:";
    for (int line = 0; line < 20000; ++line) {
        text += "00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,16,17,\\\n  ";
    }
    text += "ff\n\"over\"=hex:100\n[";
    for (int depth = 0; depth < 100000; ++depth) {
        text += "d\\\\";
    }
    text += "] 0\n";
    const WineRegistryFile file = ParseOrDie(text);
    const auto big = file.FindValue(L"K", L"big");
    ASSERT_TRUE(big);
    EXPECT_EQ(big->data.size(), 20000u * 24 + 1);
    EXPECT_EQ(big->data.back(), 0xff);
    EXPECT_EQ(file.FindValue(L"K", L"over")->type, kRegNone);
    EXPECT_TRUE(file.KeyExists(L"d\\d\\d"));
}

// Every cut of a real file and random damage to it must parse (or fail) without harm.
TEST(RegistryFile, SurvivesTruncationAndGarbage) {
    const std::string sample = kSample;
    for (std::size_t cut = 0; cut <= sample.size(); ++cut) {
        if (auto file = WineRegistryFile::Parse(sample.substr(0, cut))) {
            file->FindValue(L"Software\\TAVU\\Quorvane06 Tc\\Install", L"Bin");
            file->SetDword(L"Software\\TAVU\\Quorvane06ZV Tc\\Configs", L"GUIDE_MSG_1", 1, 0);
        }
    }
    std::mt19937 random(1234);
    for (int round = 0; round < 3000; ++round) {
        std::string damaged = sample;
        for (int k = 0; k < 8; ++k) {
            damaged[24 + random() % (damaged.size() - 24)] = static_cast<char>(random());
        }
        auto file = WineRegistryFile::Parse(damaged);
        ASSERT_TRUE(file);
        file->FindValue(L"Software\\TAVU\\Quorvane06 Tc\\Install", L"InstallInfo");
        file->KeyExists(L"Software\\TAVU");
        file->SetDword(L"Software\\TAVU\\Quorvane06ZV Tc\\Configs", L"GUIDE_MSG_0", 1, 0);
    }
}

// Text made of the format's own tokens reaches the odd corners; whatever the text, a write
// that succeeds must read back.
TEST(RegistryFile, RandomTokensParseAndWritesReadBack) {
    static const std::string_view kTokens[] = {
        "[",         "]",    "\\",   "\\",   "\"",     "=",
        "@",         "#",    "\n",   "\r\n", " ",      "k",
        "K",         "x",    "7",    "f",    ",",      std::string_view("\0", 1),
        "\xc3",      "hex:", "hex(", "):",   "dword:", "str(2):",
        "#arch=win", "\\\n"};
    std::mt19937 random(99);
    int written = 0;
    for (int round = 0; round < 4000; ++round) {
        std::string text = "WINE REGISTRY Version 2\n";
        text += random() % 2 ? "[K\\\\k] 0\n" : "";
        const int count = 1 + static_cast<int>(random() % 60);
        for (int k = 0; k < count; ++k) {
            text += kTokens[random() % std::size(kTokens)];
        }
        auto file = WineRegistryFile::Parse(text);
        ASSERT_TRUE(file);
        const std::wstring key = random() % 2 ? L"k" : L"K\\k";
        const std::wstring name = random() % 2 ? L"" : L"k";
        if (file->SetDword(key, name, 0x12345678, 0)) {
            ++written;
            const auto value = file->FindValue(key, name);
            ASSERT_TRUE(value) << text;
            EXPECT_EQ(value->type, kRegDword) << text;
            EXPECT_EQ(value->data, Bytes({0x78, 0x56, 0x34, 0x12})) << text;
        }
    }
    EXPECT_GT(written, 400);
}

}  // namespace
}  // namespace platform
