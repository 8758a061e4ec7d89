#include <gtest/gtest.h>

#include <string>

#include "lumo/io/message_translator.h"
#include "lumo/io/text_writer.h"
#include "lumo/io/utf.h"

namespace lumo {
namespace {

TEST(MessageTranslator, LanguageComesFromTheFirstLocaleVariableSet) {
    using L = MessageLanguage;
    EXPECT_EQ(CMessageTranslatorManager::LanguageFromLocale("ja_JP.UTF-8", "en_US", "en_US"),
              L::kJapanese);
    EXPECT_EQ(CMessageTranslatorManager::LanguageFromLocale("", "ja_JP", "en_US"), L::kJapanese);
    EXPECT_EQ(CMessageTranslatorManager::LanguageFromLocale(nullptr, nullptr, "ja"), L::kJapanese);
    EXPECT_EQ(CMessageTranslatorManager::LanguageFromLocale("C", "ja_JP", "ja_JP"), L::kEnglish);
    EXPECT_EQ(CMessageTranslatorManager::LanguageFromLocale(nullptr, nullptr, nullptr),
              L::kEnglish);
    EXPECT_EQ(CMessageTranslatorManager::LanguageFromLocale("j", nullptr, nullptr), L::kEnglish);
}

TEST(MessageTranslator, TextsOfBothLanguages) {
    using M = CMessageTranslatorManager;
    EXPECT_EQ(M::Lookup(7, MessageLanguage::kEnglish),
              "Platform of file header and Texture is different. ");
    EXPECT_EQ(M::Lookup(15, MessageLanguage::kEnglish), "There is no textures.");
    EXPECT_EQ(M::Lookup(1, MessageLanguage::kJapanese), "範囲外アクセス");
    EXPECT_EQ(M::Lookup(18, MessageLanguage::kJapanese), "W座標");
    EXPECT_FALSE(M::Lookup(0, MessageLanguage::kEnglish).has_value());
    EXPECT_FALSE(M::Lookup(19, MessageLanguage::kJapanese).has_value());
}

class CapturingWriter : public CTextWriterBase {
public:
    void Write(std::string_view text) override { captured += text; }
    void Write(std::wstring_view text) override { captured += WideToUtf8(text); }
    void Flush() override {}
    std::string captured;
};

TEST(TextWriters, EveryRegisteredWriterGetsTheText) {
    CapturingWriter writer;
    RegisterTextWriter(&writer);
    RegisterTextWriter(&writer);  // once only
    DebugPrint("a");
    DebugPrint(std::wstring_view(L"\u7bc4"));
    UnregisterTextWriter(&writer);
    DebugPrint("b");
    EXPECT_EQ(writer.captured, "a\xe7\xaf\x84");
}

TEST(Utf, RoundTripAndReplacement) {
    const std::wstring text = L"G1T \u5bb9\u8c8c \U0001F600";
    EXPECT_EQ(Utf8ToWide(WideToUtf8(text)), text);
    EXPECT_EQ(Utf8ToWide("\xff"), std::wstring(1, L'\xFFFD'));
    EXPECT_EQ(Utf8ToWide("\xe5\xae"), std::wstring(2, L'\xFFFD'));  // cut short
    EXPECT_EQ(WideToUtf8(std::wstring(1, static_cast<wchar_t>(0xD800))), "\xef\xbf\xbd");
}

}  // namespace
}  // namespace lumo
