#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/wine_registry_value.h"

namespace platform {

// The text of a Wine registry file ("WINE REGISTRY Version 2") read the way Wine reads it:
// sections "[key] <time>" hold option lines ("#time=", "#class=", "#link") and values; a key
// that only has subkeys has no section of its own; a key may have several sections; a later
// value of the same name wins. Key and value names compare without regard to case.
//
// The model keeps the original text: writing a value changes only the bytes of that value (or
// adds one line), so everything else in the file stays byte for byte as it was.
class WineRegistryFile {
public:
    // Larger files are refused; a real user.reg stays far below either bound.
    static constexpr std::size_t kMaxTextBytes = 32u << 20;
    static constexpr std::size_t kMaxSections = 1u << 20;

    // Nothing when the text is not a registry file (wrong first line) or is too large.
    static std::optional<WineRegistryFile> Parse(std::string text);

    const std::string& Text() const { return m_text; }

    // Keys are backslash-separated paths below the file's root; "" is the root itself.
    bool KeyExists(std::wstring_view key) const;
    std::optional<RegistryValue> FindValue(std::wstring_view key, std::wstring_view name) const;

    // Writes a REG_DWORD into an existing key: rewrites the data of the value that counts, or
    // adds a line at the end of the key's last section, or, for a key known only through its
    // subkeys, adds a section at the end stamped with unixTime. False when the key is missing.
    bool SetDword(std::wstring_view key, std::wstring_view name, std::uint32_t value,
                  std::int64_t unixTime);

private:
    struct Section {
        std::size_t bodyBegin = 0;      // the line after the header
        std::size_t bodyEnd = 0;        // the next header, or where reading stopped
        std::size_t appendAt = 0;       // after the section's last line that is not blank
        bool appendNeedsBreak = false;  // that line ends the file without a line break
    };
    struct ValuePlace {
        RegistryValue value;
        std::size_t dataBegin = 0;
        std::size_t dataEnd = 0;
    };
    // One value line as a reader takes it, with the folded path of its section's key.
    struct ValueEntry {
        const std::wstring* foldedKey = nullptr;
        ParsedValue parsed;
    };

    bool Index();
    bool OpenSection(const RegistryLine& line, bool& open);
    void ExtendSection(std::size_t next);
    std::pair<std::size_t, std::size_t> SectionsOf(const std::wstring& foldedKey) const;
    std::optional<ValuePlace> FindPlace(const std::wstring& foldedKey,
                                        std::wstring_view name) const;
    std::vector<ParsedValue> SectionValues(const Section& section) const;
    std::vector<ValueEntry> AllValues() const;
    bool OthersUnchanged(const WineRegistryFile& rewritten, const std::wstring& foldedKey,
                         std::wstring_view name) const;
    std::string NewSection(std::wstring_view key, std::wstring_view name, std::uint32_t value,
                           std::int64_t unixTime) const;

    std::string m_text;
    std::string m_lineBreak = "\n";  // as the file's first line ends
    std::vector<Section> m_sections;
    // (folded key path, section index), sorted: the sections of one key in file order, and
    // the keys below a key right after it.
    std::vector<std::pair<std::wstring, std::size_t>> m_keys;
};

// A key path in the form the model compares: components folded to lower case, empty
// components dropped, joined by single backslashes.
std::wstring FoldKeyPath(std::wstring_view key);

}  // namespace platform
