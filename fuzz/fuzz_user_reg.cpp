// Reads any bytes as a Wine user.reg, looks up the keys and values the file names and the ones
// the editor uses, then writes a dword the way the editor saves its flags. Checks that a write
// reads back from the new text, changes no other value, and leaves the text alone when refused.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/game_environment.h"
#include "platform/case_fold.h"
#include "platform/wine_registry_file.h"
#include "platform/wine_registry_text.h"
#include "platform/wine_registry_value.h"

namespace {

using platform::RegistryValue;
using platform::WineRegistryFile;

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

struct Probe {
    std::wstring key;
    std::wstring name;
};

// Enough lookups to reach the values of several sections without making each run slow.
constexpr std::size_t kMaxProbes = 8;

// Key paths from section headers and the value names under them, read with the file's own
// unescaping; the lines need not be well formed, the lookups only have to be plausible.
std::vector<Probe> ProbesFromText(std::string_view text) {
    std::vector<Probe> probes;
    std::wstring key;
    std::size_t pos = 0;
    while (pos < text.size() && probes.size() < kMaxProbes) {
        const platform::RegistryLine line = platform::LineAt(text, pos);
        pos = line.next;
        if (line.first >= line.contentEnd) {
            continue;
        }
        const char c = text[line.first];
        const std::string_view rest = text.substr(line.first + 1, line.contentEnd - line.first - 1);
        if (c == '[') {
            if (const auto name = platform::ReadEscaped(rest, ']')) {
                key = platform::FromUtf16(name->units);
                probes.push_back({key, L""});  // the default value
            }
        } else if (c == '"') {
            if (const auto name = platform::ReadEscaped(rest, '"')) {
                probes.push_back({key, platform::FromUtf16(name->units)});
            }
        }
    }
    return probes;
}

std::vector<Probe> AllProbes(std::string_view text) {
    std::vector<Probe> probes = ProbesFromText(text);
    const std::wstring base(game::kBaseEditionKey);
    const std::wstring zv(game::kZVEditionKey);
    for (const std::wstring& edition : {base, zv}) {
        probes.push_back({edition + L"\\Install", L"InstallInfo"});
        probes.push_back({edition + L"\\PL", L"1"});
    }
    probes.push_back({std::wstring(game::kConfigsKey), std::wstring(game::kGuideFlagRegister)});
    probes.push_back(
        {L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", L"Personal"});
    return probes;
}

std::vector<std::optional<RegistryValue>> Lookups(const WineRegistryFile& file,
                                                  const std::vector<Probe>& probes) {
    std::vector<std::optional<RegistryValue>> values;
    for (const Probe& probe : probes) {
        file.KeyExists(probe.key);
        values.push_back(file.FindValue(probe.key, probe.name));
    }
    return values;
}

bool SameValue(const std::optional<RegistryValue>& a, const std::optional<RegistryValue>& b) {
    return a.has_value() == b.has_value() && (!a || (a->type == b->type && a->data == b->data));
}

bool SameSlot(const Probe& a, const Probe& b) {
    return platform::FoldKeyPath(a.key) == platform::FoldKeyPath(b.key) &&
           platform::EqualsIgnoreCase(a.name, b.name);
}

// Writes one dword and checks the new text against the lookups made before the write.
void WriteAndCheck(WineRegistryFile file, const std::vector<Probe>& probes,
                   const std::vector<std::optional<RegistryValue>>& before, const Probe& target,
                   std::uint32_t value) {
    const std::string original = file.Text();
    if (!file.SetDword(target.key, target.name, value, 1700000000)) {
        Check(file.Text() == original);
        return;
    }
    const auto reread = WineRegistryFile::Parse(file.Text());
    Check(reread.has_value());
    const std::vector<std::uint8_t> bytes{
        static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
        static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
    const auto written = reread->FindValue(target.key, target.name);
    Check(written && written->type == platform::kRegDword && written->data == bytes);
    const auto after = Lookups(*reread, probes);
    for (std::size_t i = 0; i < probes.size(); ++i) {
        Check(SameSlot(probes[i], target) || SameValue(before[i], after[i]));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    const std::optional<WineRegistryFile> file = WineRegistryFile::Parse(text);
    if (!file) {
        return 0;
    }
    Check(file->Text() == text);
    const std::vector<Probe> probes = AllProbes(text);
    const auto before = Lookups(*file, probes);
    // The editor's own flag, and a value the file itself names (often one of another type).
    WriteAndCheck(*file, probes, before,
                  {std::wstring(game::kConfigsKey), std::wstring(game::kGuideFlagRegistered)}, 1);
    if (!probes.empty()) {
        const std::uint32_t value = size >= 4 ? data[size - 1] * 0x01010101u : 0xDEADBEEF;
        WriteAndCheck(*file, probes, before, probes[size % probes.size()], value);
    }
    return 0;
}
