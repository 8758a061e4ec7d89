#include "lumo/io/message_translator.h"

#include <array>
#include <cstdlib>
#include <string>

#include "lumo/io/text_writer.h"

namespace lumo {
namespace {

struct MessageRow {
    std::uint32_t code;
    std::string_view japanese;
    std::string_view english;
};

constexpr std::array<MessageRow, 18> kMessages{{
    {1, "範囲外アクセス", "Access overflow."},
    {2, "RLE圧縮フォーマットには非対応です。", "Cannot use RLE compressed format."},
    {3, "Fixed型です。", "Fixed type class."},
    {4,
     "ダイレクト形式のイメージデータは、インデックス形式のピクセルフォーマットで出力できません。",
     "Cannot convert from direct image data to indexed image data."},
    {5,
     "インデックス形式のイメージデータは、ダイレクト形式でピクセルフォーマットで出力できません。",
     "Cannot convert from indexed image data to direct image data."},
    {6, "File header のPLATFORM設定が不正です。", "Invalid platform specification in file header."},
    // The English text of code 7 ends with a space.
    {7, "File headerとTexture のPlatformが異なるものがあります。",
     "Platform of file header and Texture is different. "},
    {8, "H座標", "H"},
    {9, "PIXEL FORMAT が正しくセットされていません。", "Invalid pixel format."},
    {10, "PLATFORM が正しくセットされていません。", "Invalid platform."},
    {11, "指定された platform ではサポートされていない形式です。",
     "It is unsupported format in the platform"},
    {12, "Width又はHeightが不正です。", "Invalid texture size."},
    {13,
     "platform = XB2で、*_TILE_DXT? の場合、テクスチャサイズは128 * 128以上でなければなりません。",
     "When platform is XB2 and TILE_DXT format, the texture size should be (128 * 128) or more."},
    {14, "未初期化です。", "Not initialized."},
    {15, "Textureが存在しません。", "There is no textures."},
    {16, "パレットリスト", "Palette array."},
    {17, "パレットカラー", "Palette color array."},
    {18, "W座標", "W"},
}};

bool StartsWithJa(const char* value) {
    return value[0] == 'j' && value[1] == 'a';
}

}  // namespace

CMessageTranslatorManager& CMessageTranslatorManager::Instance() {
    static CMessageTranslatorManager instance;
    return instance;
}

CMessageTranslatorManager::CMessageTranslatorManager()
    : m_language(LanguageFromLocale(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"),
                                    std::getenv("LANG"))) {}

MessageLanguage CMessageTranslatorManager::LanguageFromLocale(const char* lcAll,
                                                              const char* lcMessages,
                                                              const char* lang) {
    // The first variable that is set and not empty decides, as for the C library's messages.
    for (const char* value : {lcAll, lcMessages, lang}) {
        if (value && value[0] != '\0') {
            return StartsWithJa(value) ? MessageLanguage::kJapanese : MessageLanguage::kEnglish;
        }
    }
    return MessageLanguage::kEnglish;
}

std::optional<std::string_view> CMessageTranslatorManager::Lookup(std::uint32_t code,
                                                                  MessageLanguage language) {
    for (const MessageRow& row : kMessages) {
        if (row.code == code) {
            return language == MessageLanguage::kJapanese ? row.japanese : row.english;
        }
    }
    return std::nullopt;
}

std::optional<std::string_view> CMessageTranslatorManager::Lookup(std::uint32_t code) const {
    return Lookup(code, m_language);
}

std::uint32_t CMessageTranslatorManager::Report(std::uint32_t code) const {
    if (const auto text = Lookup(code)) {
        DebugPrint(std::string(*text) + "\n");
    }
    return code;
}

}  // namespace lumo
