#include "platform/wine_registry.h"

#include <sys/stat.h>

#include <cstdlib>
#include <ctime>
#include <memory>

#include "platform/atomic_file.h"
#include "platform/wine_registry_text.h"

namespace platform {
namespace {

// Wine may save between our read and our rename; a few fresh tries then keep its save.
constexpr int kWriteAttempts = 3;

// Wine writes through a symbolic link to the file it names; so do we.
std::string ResolvedPath(const std::string& path) {
    std::unique_ptr<char, decltype(&std::free)> real(::realpath(path.c_str(), nullptr), &std::free);
    return real ? std::string(real.get()) : path;
}

}  // namespace

std::optional<std::wstring> StringOf(const RegistryValue& value) {
    if (value.type != kRegSz && value.type != kRegExpandSz) {
        return std::nullopt;
    }
    std::u16string units;
    for (std::size_t i = 0; i + 1 < value.data.size(); i += 2) {
        const auto unit = static_cast<char16_t>(value.data[i] | (value.data[i + 1] << 8));
        if (unit == 0) {
            break;
        }
        units += unit;
    }
    return FromUtf16(units);
}

WineRegistry::WineRegistry(std::string userRegPath) : m_path(std::move(userRegPath)) {}

const WineRegistryFile* WineRegistry::Current() const {
    const auto stamp = StampOf(m_path);
    if (!stamp) {
        m_file.reset();
        m_stamp.reset();
        return nullptr;
    }
    if (stamp != m_stamp) {
        m_file.reset();
        m_stamp = stamp;
        if (auto text = ReadWholeFile(m_path, WineRegistryFile::kMaxTextBytes)) {
            m_file = WineRegistryFile::Parse(std::move(*text));
        }
    }
    return m_file ? &*m_file : nullptr;
}

bool WineRegistry::KeyExists(std::wstring_view key) const {
    const WineRegistryFile* file = Current();
    return file != nullptr && file->KeyExists(key);
}

std::optional<std::wstring> WineRegistry::ReadString(std::wstring_view key,
                                                     std::wstring_view name) const {
    const WineRegistryFile* file = Current();
    const auto value = file ? file->FindValue(key, name) : std::nullopt;
    return value ? StringOf(*value) : std::nullopt;
}

std::optional<std::uint32_t> WineRegistry::ReadDword(std::wstring_view key,
                                                     std::wstring_view name) const {
    const WineRegistryFile* file = Current();
    const auto value = file ? file->FindValue(key, name) : std::nullopt;
    if (!value || value->type != kRegDword || value->data.size() != 4) {
        return std::nullopt;
    }
    const auto& d = value->data;
    return static_cast<std::uint32_t>(d[0] | (d[1] << 8) | (d[2] << 16)) |
           (static_cast<std::uint32_t>(d[3]) << 24);
}

bool WineRegistry::WriteDword(std::wstring_view key, std::wstring_view name, std::uint32_t value) {
    const std::string target = ResolvedPath(m_path);
    bool retry = true;
    bool written = false;
    for (int attempt = 0; attempt < kWriteAttempts && retry && !written; ++attempt) {
        retry = false;
        written = TryWrite(target, key, name, value, retry);
    }
    m_stamp.reset();  // read the file again next time
    return written;
}

bool WineRegistry::TryWrite(const std::string& target, std::wstring_view key,
                            std::wstring_view name, std::uint32_t value, bool& retry) {
    struct stat info {};
    const auto before = StampOf(target);
    auto text = ReadWholeFile(target, WineRegistryFile::kMaxTextBytes);
    if (!before || !text || ::stat(target.c_str(), &info) != 0) {
        return false;
    }
    auto file = WineRegistryFile::Parse(std::move(*text));
    if (!file || !file->SetDword(key, name, value, static_cast<std::int64_t>(std::time(nullptr)))) {
        return false;
    }
    if (StampOf(target) != before) {
        retry = true;
        return false;
    }
    const std::string& bytes = file->Text();
    return ReplaceAtomically(
        target, std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()),
        info.st_mode);
}

}  // namespace platform
