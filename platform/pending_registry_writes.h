#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// 32-bit values that could not be written into a prefix's registry yet, kept in the editor's
// own settings file until they can. The file holds the writes of every prefix, one a line
// (prefix, key, name and value, separated by tabs, in UTF-8); this object changes only the
// lines of its own prefix and keeps the others as they were.
class PendingRegistryWrites {
public:
    struct Write {
        std::wstring key;
        std::wstring name;
        std::uint32_t value = 0;
    };

    PendingRegistryWrites(std::string storePath, std::string prefix);

    const std::vector<Write>& Writes() const { return m_writes; }
    std::optional<std::uint32_t> Find(std::wstring_view key, std::wstring_view name) const;
    // Both save the file at once; false when it cannot be saved (or a name holds a tab or a
    // line break, which the file cannot).
    bool Put(std::wstring_view key, std::wstring_view name, std::uint32_t value);
    bool Remove(std::wstring_view key, std::wstring_view name);

private:
    bool Save() const;

    std::string m_path;
    std::string m_prefix;
    std::vector<Write> m_writes;
    std::vector<std::string> m_otherLines;
};

// The settings file: $XDG_CONFIG_HOME/kaocg-editor/pending-registry-writes, or the same below
// ~/.config.
std::string DefaultPendingWritesPath();

}  // namespace platform
