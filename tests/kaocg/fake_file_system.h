#pragma once

// An in-memory FileSystem for unit tests: paths map to bytes and a read-only flag, with
// switches that make the operations an archive relies on fail the way a real disk can.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace kaocg_test {

struct FakeEntry {
    std::vector<std::uint8_t> bytes;
    bool readOnly = false;
    int openCount = 0;
    bool heldExclusive = false;
};

class FakeFile : public platform::File {
public:
    FakeFile(FakeEntry& entry, bool exclusive) : entry_(entry), exclusive_(exclusive) {
        ++entry_.openCount;
        entry_.heldExclusive = entry_.heldExclusive || exclusive;
    }
    ~FakeFile() override {
        --entry_.openCount;
        if (exclusive_) {
            entry_.heldExclusive = false;
        }
    }
    std::uint64_t Read(void* buffer, std::uint64_t count) override {
        const std::uint64_t size = entry_.bytes.size();
        const std::uint64_t n = position_ >= size ? 0 : std::min(count, size - position_);
        if (n > 0) {
            std::memcpy(buffer, entry_.bytes.data() + position_, n);
        }
        position_ += n;
        return n;
    }
    bool Write(const void* buffer, std::uint64_t count) override {
        if (position_ + count > entry_.bytes.size()) {
            entry_.bytes.resize(position_ + count);
        }
        std::memcpy(entry_.bytes.data() + position_, buffer, count);
        position_ += count;
        return true;
    }
    bool Seek(std::uint64_t position) override {
        position_ = position;
        return true;
    }
    std::uint64_t Position() const override { return position_; }
    std::uint64_t Size() const override { return entry_.bytes.size(); }
    bool Flush() override { return true; }

private:
    FakeEntry& entry_;
    bool exclusive_;
    std::uint64_t position_ = 0;
};

class FakeFileSystem : public platform::FileSystem {
public:
    // Either separator names the same file, as on Windows.
    static std::wstring Key(std::wstring_view path) {
        std::wstring key(path);
        std::replace(key.begin(), key.end(), L'/', L'\\');
        return key;
    }

    void Put(std::wstring_view path, std::vector<std::uint8_t> bytes, bool readOnly = false) {
        FakeEntry& entry = files_[Key(path)];
        entry.bytes = std::move(bytes);
        entry.readOnly = readOnly;
    }
    const FakeEntry* Find(std::wstring_view path) const {
        const auto it = files_.find(Key(path));
        return it == files_.end() ? nullptr : &it->second;
    }
    std::vector<std::uint8_t> Bytes(std::wstring_view path) const {
        const FakeEntry* entry = Find(path);
        return entry != nullptr ? entry->bytes : std::vector<std::uint8_t>{};
    }
    int OpenFiles() const {
        int open = 0;
        for (const auto& [path, entry] : files_) {
            open += entry.openCount;
        }
        return open;
    }

    bool failReplace = false;
    bool failSetReadOnly = false;
    int replaceCalls = 0;
    int truncatingOpens = 0;

    std::unique_ptr<platform::File> Open(std::wstring_view path, platform::OpenMode mode,
                                         bool exclusive) override {
        const std::wstring key = Key(path);
        auto it = files_.find(key);
        if (mode == platform::OpenMode::kRead || mode == platform::OpenMode::kReadWrite) {
            if (it == files_.end()) {
                return nullptr;
            }
        }
        if (it != files_.end()) {
            FakeEntry& entry = it->second;
            if (entry.heldExclusive || (exclusive && entry.openCount > 0)) {
                return nullptr;
            }
            if (mode != platform::OpenMode::kRead && entry.readOnly) {
                return nullptr;
            }
        }
        FakeEntry& entry = files_[key];
        if (mode == platform::OpenMode::kCreateWrite) {
            entry.bytes.clear();
            ++truncatingOpens;
        }
        return std::make_unique<FakeFile>(entry, exclusive);
    }
    bool Exists(std::wstring_view path) const override { return Find(path) != nullptr; }
    bool IsDirectory(std::wstring_view) const override { return false; }
    bool CreateDirectory(std::wstring_view) override { return true; }
    bool SetReadOnly(std::wstring_view path, bool readOnly) override {
        auto it = files_.find(Key(path));
        if (failSetReadOnly || it == files_.end()) {
            return false;
        }
        it->second.readOnly = readOnly;
        return true;
    }
    bool IsReadOnly(std::wstring_view path) const override {
        const FakeEntry* entry = Find(path);
        return entry != nullptr && entry->readOnly;
    }
    bool CopyFile(std::wstring_view from, std::wstring_view to) override {
        const FakeEntry* source = Find(from);
        if (source == nullptr) {
            return false;
        }
        Put(to, source->bytes);
        return true;
    }
    bool DeleteFile(std::wstring_view path) override { return files_.erase(Key(path)) == 1; }
    bool ReplaceFile(std::wstring_view path, std::span<const std::uint8_t> bytes) override {
        ++replaceCalls;
        const FakeEntry* entry = Find(path);
        if (failReplace || (entry != nullptr && (entry->readOnly || entry->openCount > 0))) {
            return false;
        }
        Put(path, std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
        return true;
    }
    std::optional<platform::LocalTime> LastWriteTime(std::wstring_view) const override {
        return std::nullopt;
    }
    std::wstring DocumentsFolder() const override { return L"C:\\users\\player\\Documents\\"; }
    std::string HostPath(std::wstring_view) const override { return {}; }

private:
    std::map<std::wstring, FakeEntry> files_;
};

}  // namespace kaocg_test
