// A file system holding one file, for fuzz targets that read through the archive code's own
// open path (exclusive open, the read-only retry, the fallback to an older edition's file).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "platform/memory_file.h"

namespace fuzzing {

class OneFileSystem final : public platform::FileSystem {
public:
    OneFileSystem(std::wstring path, std::span<const std::uint8_t> bytes)
        : m_path(std::move(path)), m_bytes(bytes.begin(), bytes.end()) {}

    // Every open reads a fresh copy; writes never reach the held bytes.
    std::unique_ptr<platform::File> Open(std::wstring_view path, platform::OpenMode,
                                         bool) override {
        if (path != m_path) {
            return nullptr;
        }
        return std::make_unique<platform::MemoryFile>(m_bytes);
    }
    bool Exists(std::wstring_view path) const override { return path == m_path; }
    bool IsDirectory(std::wstring_view) const override { return false; }
    bool CreateDirectory(std::wstring_view) override { return false; }
    bool SetReadOnly(std::wstring_view path, bool) override { return path == m_path; }
    bool IsReadOnly(std::wstring_view) const override { return false; }
    bool CopyFile(std::wstring_view, std::wstring_view) override { return false; }
    bool DeleteFile(std::wstring_view) override { return false; }
    bool ReplaceFile(std::wstring_view, std::span<const std::uint8_t>) override { return false; }
    std::optional<platform::LocalTime> LastWriteTime(std::wstring_view) const override {
        return std::nullopt;
    }
    std::wstring DocumentsFolder() const override { return L"C:\\users\\fuzz\\Documents\\"; }
    std::string HostPath(std::wstring_view) const override { return {}; }

private:
    std::wstring m_path;
    std::vector<std::uint8_t> m_bytes;
};

}  // namespace fuzzing
