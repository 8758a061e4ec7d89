#include "platform/pending_registry_writes.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

#include "lumo/io/utf.h"
#include "platform/atomic_file.h"
#include "platform/case_fold.h"
#include "platform/host_io.h"

namespace platform {
namespace {

constexpr std::size_t kMaxStoreBytes = 1 << 20;

std::vector<std::string> Fields(std::string_view line) {
    std::vector<std::string> fields;
    for (std::size_t tab; (tab = line.find('\t')) != std::string_view::npos;
         line.remove_prefix(tab + 1)) {
        fields.emplace_back(line.substr(0, tab));
    }
    fields.emplace_back(line);
    return fields;
}

std::optional<std::uint32_t> NumberOf(const std::string& text) {
    if (text.empty() || text.size() > 10 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    const unsigned long long value = std::stoull(text);
    return value <= 0xFFFFFFFFull ? std::optional<std::uint32_t>(value) : std::nullopt;
}

bool FitsALine(std::wstring_view text) {
    return text.find_first_of(L"\t\r\n") == std::wstring_view::npos;
}

// The settings folder and the folders above it, as far as they are missing.
void MakeFolders(const std::string& folder) {
    if (folder.empty() || folder == "/" || ::mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST) {
        return;
    }
    MakeFolders(ParentFolder(folder));
    ::mkdir(folder.c_str(), 0700);
}

}  // namespace

PendingRegistryWrites::PendingRegistryWrites(std::string storePath, std::string prefix)
    : m_path(std::move(storePath)), m_prefix(std::move(prefix)) {
    const std::string text = ReadWholeFile(m_path, kMaxStoreBytes).value_or("");
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        const std::string line = text.substr(start, end - start);
        const std::vector<std::string> fields = Fields(line);
        if (fields.size() != 4) {
            continue;  // not a line this file holds
        }
        const auto value = NumberOf(fields[3]);
        if (fields[0] != m_prefix) {
            m_otherLines.push_back(line);
        } else if (value) {
            m_writes.push_back({lumo::Utf8ToWide(fields[1]), lumo::Utf8ToWide(fields[2]), *value});
        }
    }
}

std::optional<std::uint32_t> PendingRegistryWrites::Find(std::wstring_view key,
                                                         std::wstring_view name) const {
    for (const Write& write : m_writes) {
        if (EqualsIgnoreCase(write.key, key) && EqualsIgnoreCase(write.name, name)) {
            return write.value;
        }
    }
    return std::nullopt;
}

bool PendingRegistryWrites::Put(std::wstring_view key, std::wstring_view name,
                                std::uint32_t value) {
    if (!FitsALine(key) || !FitsALine(name) ||
        m_prefix.find_first_of("\t\n") != std::string::npos) {
        return false;
    }
    const std::vector<Write> before = m_writes;
    std::erase_if(m_writes, [&](const Write& w) {
        return EqualsIgnoreCase(w.key, key) && EqualsIgnoreCase(w.name, name);
    });
    m_writes.push_back({std::wstring(key), std::wstring(name), value});
    if (!Save()) {
        m_writes = before;
        return false;
    }
    return true;
}

bool PendingRegistryWrites::Remove(std::wstring_view key, std::wstring_view name) {
    const std::vector<Write> before = m_writes;
    if (std::erase_if(m_writes, [&](const Write& w) {
            return EqualsIgnoreCase(w.key, key) && EqualsIgnoreCase(w.name, name);
        }) == 0) {
        return true;
    }
    if (!Save()) {
        m_writes = before;
        return false;
    }
    return true;
}

bool PendingRegistryWrites::Save() const {
    std::string text;
    for (const std::string& line : m_otherLines) {
        text += line + "\n";
    }
    for (const Write& w : m_writes) {
        text += m_prefix + "\t" + lumo::WideToUtf8(w.key) + "\t" + lumo::WideToUtf8(w.name) + "\t" +
                std::to_string(w.value) + "\n";
    }
    MakeFolders(ParentFolder(m_path));
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    return ReplaceAtomically(m_path, {bytes, text.size()}, 0600);
}

std::string DefaultPendingWritesPath() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config != nullptr && config[0] == '/') {
        return std::string(config) + "/kaocg-editor/pending-registry-writes";
    }
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr ? home : "") +
           "/.config/kaocg-editor/pending-registry-writes";
}

}  // namespace platform
