#include "platform/wine_registry_file.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <new>

#include "platform/case_fold.h"
#include "platform/wine_registry_text.h"

namespace platform {
namespace {

constexpr std::string_view kSignature = "WINE REGISTRY Version 2";
constexpr std::size_t kMaxValueNameLength = 16383;  // the Windows limit
constexpr std::int64_t kUnixEpochInFileTimeSeconds = 11644473600;

std::vector<std::wstring_view> SplitKey(std::wstring_view key) {
    std::vector<std::wstring_view> parts;
    std::size_t pos = 0;
    while (pos <= key.size()) {
        std::size_t end = key.find(L'\\', pos);
        end = end == std::wstring_view::npos ? key.size() : end;
        if (end > pos) {
            parts.push_back(key.substr(pos, end - pos));
        }
        pos = end + 1;
    }
    return parts;
}

// A global "#arch=" option that Wine does not know makes it stop reading the file.
bool StopsReading(std::string_view content) {
    if (!content.starts_with("#arch=")) {
        return false;
    }
    const std::string_view arch = content.substr(6);
    return arch != "win32" && arch != "win64";
}

std::string DwordData(std::uint32_t value) {
    std::array<char, 24> buffer{};
    const int n = std::snprintf(buffer.data(), buffer.size(), "dword:%08x", value);
    return std::string(buffer.data(), static_cast<std::size_t>(n));
}

std::vector<std::uint8_t> DwordBytes(std::uint32_t value) {
    return {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
            static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
}

std::string ValueLine(std::wstring_view name, std::uint32_t value) {
    std::string line;
    if (name.empty()) {
        line = "@";
    } else {
        line = "\"";
        AppendEscaped(line, ToUtf16(name), '"', '"');
        line += '"';
    }
    return line + "=" + DwordData(value);
}

std::string EscapedKeyPath(std::wstring_view key) {
    std::string path;
    for (const std::wstring_view part : SplitKey(key)) {
        if (!path.empty()) {
            path += "\\\\";
        }
        AppendEscaped(path, ToUtf16(part), '[', ']');
    }
    return path;
}

char FirstChar(std::string_view text, const RegistryLine& line) {
    return line.first < line.contentEnd ? text[line.first] : '\0';
}

}  // namespace

std::wstring FoldKeyPath(std::wstring_view key) {
    std::wstring folded;
    for (const std::wstring_view part : SplitKey(key)) {
        if (!folded.empty()) {
            folded += L'\\';
        }
        folded += FoldCase(part);
    }
    return folded;
}

std::optional<WineRegistryFile> WineRegistryFile::Parse(std::string text) {
    if (text.size() > kMaxTextBytes) {
        return std::nullopt;
    }
    try {
        WineRegistryFile file;
        file.m_text = std::move(text);
        if (!file.Index()) {
            return std::nullopt;
        }
        return file;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

bool WineRegistryFile::Index() {
    const RegistryLine header = LineAt(m_text, 0);
    if (std::string_view(m_text).substr(0, header.contentEnd) != kSignature) {
        return false;
    }
    if (header.contentEnd < m_text.size() && m_text[header.contentEnd] == '\r') {
        m_lineBreak = "\r\n";
    }
    bool open = false;
    std::size_t pos = header.next;
    while (pos < m_text.size()) {
        const RegistryLine line = LineAt(m_text, pos);
        const char c = FirstChar(m_text, line);
        pos = line.next;
        if (c == '[') {
            if (open) {
                m_sections.back().bodyEnd = line.begin;
            }
            if (!OpenSection(line, open)) {
                return false;
            }
        } else if (open && (c == '@' || c == '"')) {
            pos = ParseValue(m_text, line).next;
            ExtendSection(pos);
        } else if (open && c != '\0') {
            ExtendSection(pos);
        } else if (!open && c == '#' &&
                   StopsReading(
                       std::string_view(m_text).substr(line.first, line.contentEnd - line.first))) {
            break;
        }
    }
    if (open) {
        m_sections.back().bodyEnd = std::min(pos, m_text.size());
    }
    std::sort(m_keys.begin(), m_keys.end());
    return true;
}

// A header Wine cannot read leaves the lines after it without a key: they are skipped.
bool WineRegistryFile::OpenSection(const RegistryLine& line, bool& open) {
    open = false;
    const std::string_view rest =
        std::string_view(m_text).substr(line.first + 1, line.contentEnd - line.first - 1);
    const auto name = ReadEscaped(rest, ']');
    if (!name || name->units.starts_with(u'\\')) {
        return true;
    }
    if (m_sections.size() >= kMaxSections) {
        return false;
    }
    Section section;
    section.bodyBegin = line.next;
    section.bodyEnd = line.next;
    m_sections.push_back(section);
    m_keys.emplace_back(FoldKeyPath(FromUtf16(name->units)), m_sections.size() - 1);
    open = true;
    ExtendSection(line.next);
    return true;
}

void WineRegistryFile::ExtendSection(std::size_t next) {
    Section& section = m_sections.back();
    section.appendAt = next;
    section.appendNeedsBreak = next == m_text.size() && m_text.back() != '\n';
}

std::pair<std::size_t, std::size_t> WineRegistryFile::SectionsOf(
    const std::wstring& foldedKey) const {
    const auto byKey = [](const auto& entry, const std::wstring& key) { return entry.first < key; };
    const auto keyBefore = [](const std::wstring& key, const auto& entry) {
        return key < entry.first;
    };
    const auto lo = std::lower_bound(m_keys.begin(), m_keys.end(), foldedKey, byKey);
    const auto hi = std::upper_bound(lo, m_keys.end(), foldedKey, keyBefore);
    return {static_cast<std::size_t>(lo - m_keys.begin()),
            static_cast<std::size_t>(hi - m_keys.begin())};
}

bool WineRegistryFile::KeyExists(std::wstring_view key) const {
    const std::wstring folded = FoldKeyPath(key);
    if (folded.empty()) {
        return true;
    }
    const auto [lo, hi] = SectionsOf(folded);
    if (lo != hi) {
        return true;
    }
    // Keys that only have subkeys have no section: look for the first key below this one.
    const std::wstring below = folded + L'\\';
    const auto byKey = [](const auto& entry, const std::wstring& k) { return entry.first < k; };
    const auto it = std::lower_bound(m_keys.begin(), m_keys.end(), below, byKey);
    return it != m_keys.end() && it->first.starts_with(below);
}

// The named values of one section in file order, as Index walked over them.
std::vector<ParsedValue> WineRegistryFile::SectionValues(const Section& section) const {
    std::vector<ParsedValue> values;
    std::size_t pos = section.bodyBegin;
    while (pos < section.bodyEnd) {
        const RegistryLine line = LineAt(m_text, pos);
        const char c = FirstChar(m_text, line);
        pos = line.next;
        if (c != '@' && c != '"') {
            continue;
        }
        ParsedValue v = ParseValue(m_text, line);
        pos = v.next;
        if (v.named) {
            values.push_back(std::move(v));
        }
    }
    return values;
}

std::optional<WineRegistryFile::ValuePlace> WineRegistryFile::FindPlace(
    const std::wstring& foldedKey, std::wstring_view name) const {
    std::optional<ValuePlace> found;
    const auto [lo, hi] = SectionsOf(foldedKey);
    for (std::size_t k = lo; k < hi; ++k) {
        for (ParsedValue& v : SectionValues(m_sections[m_keys[k].second])) {
            if (EqualsIgnoreCase(FromUtf16(v.name), name)) {
                found = ValuePlace{std::move(v.value), v.dataBegin, v.dataEnd};
            }
        }
    }
    return found;
}

std::vector<WineRegistryFile::ValueEntry> WineRegistryFile::AllValues() const {
    std::vector<const std::wstring*> keyOf(m_sections.size());
    for (const auto& [key, index] : m_keys) {
        keyOf[index] = &key;
    }
    std::vector<ValueEntry> entries;
    for (std::size_t s = 0; s < m_sections.size(); ++s) {
        for (ParsedValue& v : SectionValues(m_sections[s])) {
            entries.push_back({keyOf[s], std::move(v)});
        }
    }
    return entries;
}

// Every value line other than the written value's reads as before, in the same order. A
// write only ever adds or changes lines of its own value, but the line break that a file
// without a final one gets can complete a hex list left open on its last line.
bool WineRegistryFile::OthersUnchanged(const WineRegistryFile& rewritten,
                                       const std::wstring& foldedKey,
                                       std::wstring_view name) const {
    const auto others = [&](std::vector<ValueEntry> entries) {
        std::erase_if(entries, [&](const ValueEntry& e) {
            return *e.foldedKey == foldedKey && EqualsIgnoreCase(FromUtf16(e.parsed.name), name);
        });
        return entries;
    };
    const std::vector<ValueEntry> before = others(AllValues());
    const std::vector<ValueEntry> after = others(rewritten.AllValues());
    return std::equal(before.begin(), before.end(), after.begin(), after.end(),
                      [](const ValueEntry& a, const ValueEntry& b) {
                          return *a.foldedKey == *b.foldedKey && a.parsed.name == b.parsed.name &&
                                 a.parsed.value.type == b.parsed.value.type &&
                                 a.parsed.value.data == b.parsed.value.data;
                      });
}

std::optional<RegistryValue> WineRegistryFile::FindValue(std::wstring_view key,
                                                         std::wstring_view name) const {
    try {
        auto place = FindPlace(FoldKeyPath(key), name);
        if (!place) {
            return std::nullopt;
        }
        return std::move(place->value);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

std::string WineRegistryFile::NewSection(std::wstring_view key, std::wstring_view name,
                                         std::uint32_t value, std::int64_t unixTime) const {
    const std::int64_t seconds = std::clamp<std::int64_t>(unixTime, 0, 0xFFFFFFFF);
    const auto fileTime =
        static_cast<unsigned long long>(seconds + kUnixEpochInFileTimeSeconds) * 10000000ull;
    std::array<char, 64> stamp{};
    const int n = std::snprintf(stamp.data(), stamp.size(), "] %lld%s#time=%llx",
                                static_cast<long long>(seconds), m_lineBreak.c_str(), fileTime);
    std::string section;
    if (!m_text.empty() && m_text.back() != '\n') {
        section += m_lineBreak;
    }
    section += m_lineBreak + "[" + EscapedKeyPath(key);
    section.append(stamp.data(), static_cast<std::size_t>(n));
    section += m_lineBreak + ValueLine(name, value) + m_lineBreak;
    return section;
}

bool WineRegistryFile::SetDword(std::wstring_view key, std::wstring_view name, std::uint32_t value,
                                std::int64_t unixTime) {
    if (name.size() > kMaxValueNameLength) {
        return false;
    }
    try {
        const std::wstring folded = FoldKeyPath(key);
        const auto [lo, hi] = SectionsOf(folded);
        std::string text = m_text;
        if (const auto place = FindPlace(folded, name)) {
            text.replace(place->dataBegin, place->dataEnd - place->dataBegin, DwordData(value));
        } else if (lo != hi) {
            const Section& last = m_sections[m_keys[hi - 1].second];
            const std::string line = (last.appendNeedsBreak ? m_lineBreak : std::string()) +
                                     ValueLine(name, value) + m_lineBreak;
            text.insert(last.appendAt, line);
        } else if (KeyExists(key)) {
            text += NewSection(key, name, value, unixTime);
        } else {
            return false;
        }
        // A damaged file can hide the new line from Wine (a line that stops its reading
        // comes first): a write that would not read back is refused.
        auto rewritten = Parse(std::move(text));
        const auto check = rewritten ? rewritten->FindValue(key, name) : std::nullopt;
        if (!check || check->type != kRegDword || check->data != DwordBytes(value) ||
            !OthersUnchanged(*rewritten, folded, name)) {
            return false;
        }
        *this = std::move(*rewritten);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

}  // namespace platform
