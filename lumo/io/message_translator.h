#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace lumo {

// Codes of the toolkit's diagnostic messages.
enum MessageCode : std::uint32_t {
    kMsgAccessOverflow = 1,
    kMsgRleUnsupported = 2,
    kMsgFixedImage = 3,
    kMsgDirectToIndexed = 4,
    kMsgIndexedToDirect = 5,
    kMsgInvalidFilePlatform = 6,
    kMsgPlatformMismatch = 7,
    kMsgCoordinateH = 8,
    kMsgInvalidPixelFormat = 9,
    kMsgInvalidPlatform = 10,
    kMsgUnsupportedOnPlatform = 11,
    kMsgInvalidTextureSize = 12,
    kMsgTileDxtTooSmall = 13,
    kMsgNotInitialized = 14,
    kMsgNoTextures = 15,
    kMsgPaletteArray = 16,
    kMsgPaletteColorArray = 17,
    kMsgCoordinateW = 18,
};

enum class MessageLanguage { kEnglish, kJapanese };

// Turns message codes into text in the user's language, chosen once from the locale
// (LC_ALL, then LC_MESSAGES, then LANG): Japanese when it starts with "ja".
class CMessageTranslatorManager {
public:
    static CMessageTranslatorManager& Instance();

    MessageLanguage Language() const { return m_language; }
    // The text of a code in the chosen language; nothing for an unknown code.
    std::optional<std::string_view> Lookup(std::uint32_t code) const;
    static std::optional<std::string_view> Lookup(std::uint32_t code, MessageLanguage language);
    // Looks the code up and prints it to the toolkit's text writers; returns the code.
    std::uint32_t Report(std::uint32_t code) const;

    static MessageLanguage LanguageFromLocale(const char* lcAll, const char* lcMessages,
                                              const char* lang);

private:
    CMessageTranslatorManager();
    MessageLanguage m_language;
};

}  // namespace lumo
