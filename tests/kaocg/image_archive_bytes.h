#pragma once

// Face image archives in the fake file system, built byte by byte from the numbers of the
// file format rather than from the code under test.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "kaocg/fake_file_system.h"

namespace kaocg_test {

inline const std::wstring kFaceEditFolder = L"C:\\users\\player\\Documents\\TAVU\\Q06\\";
inline const std::wstring kFaceStockFolder = L"C:\\Program Files\\TAVU\\Q06\\grp\\";

struct ArchiveFormat {
    const wchar_t* name;
    std::uint32_t entrySize;
    std::uint32_t firstSlot;
};

// Kinds 0..5: stock large, medium, small, then edit large, medium, small.
constexpr std::array<ArchiveFormat, 6> kArchiveFormats{{
    {L"KAO_L.q06", 262200, 29152},
    {L"KAO_M.q06", 65592, 29152},
    {L"KAO_S.q06", 16440, 29152},
    {L"EDIT_KAO_L.q06", 262200, 22048},
    {L"EDIT_KAO_M.q06", 65592, 22048},
    {L"EDIT_KAO_S.q06", 16440, 22048},
}};

constexpr std::uint64_t kSmallEditBitmap = 18114840;
constexpr std::uint64_t kSmallEditFileSize = kSmallEditBitmap + 138;

inline std::wstring ArchivePath(int kind) {
    const ArchiveFormat& format = kArchiveFormats[static_cast<std::size_t>(kind)];
    return kind >= 3 ? kFaceEditFolder + L"GRP/" + format.name : kFaceStockFolder + format.name;
}

inline std::uint32_t Entries(int kind, int edition) {
    return kind >= 3 ? 1100 : edition == 1 ? 1598 : 1456;
}

inline std::uint64_t SlotAt(int kind, std::uint32_t slot) {
    const ArchiveFormat& format = kArchiveFormats[static_cast<std::size_t>(kind)];
    return format.firstSlot + std::uint64_t{slot} * (format.entrySize + 8);
}

inline void SetU32(std::vector<std::uint8_t>& bytes, std::uint64_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes.at(at + static_cast<std::uint64_t>(i)) = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

// An archive of `size` bytes: the header of the edition, the table in the default layout and
// zeros everywhere else.
inline std::vector<std::uint8_t> ArchiveBytes(int kind, int edition, std::uint64_t size) {
    std::vector<std::uint8_t> bytes(size, 0);
    const std::uint32_t n = Entries(kind, edition);
    const std::array<std::uint8_t, 4> magic{'L', 'I', 'N', 'K'};
    std::copy(magic.begin(), magic.end(), bytes.begin());
    SetU32(bytes, 4, n);
    SetU32(bytes, 8, 32);
    SetU32(bytes, 12, n);
    SetU32(bytes, 16, (32 + 8 * n + 31) / 32 * 32);
    for (std::uint32_t i = 0; i < n; ++i) {
        SetU32(bytes, 32 + 8 * i, static_cast<std::uint32_t>(SlotAt(kind, i)));
        SetU32(bytes, 36 + 8 * i, kArchiveFormats[static_cast<std::size_t>(kind)].entrySize);
    }
    return bytes;
}

// The bytes of one slot of a file in the fake file system.
inline std::vector<std::uint8_t> SlotBytes(const FakeFileSystem& files, int kind,
                                           std::uint64_t offset) {
    const std::vector<std::uint8_t> bytes = files.Bytes(ArchivePath(kind));
    const std::uint32_t size = kArchiveFormats[static_cast<std::size_t>(kind)].entrySize;
    return {bytes.begin() + static_cast<std::ptrdiff_t>(offset),
            bytes.begin() + static_cast<std::ptrdiff_t>(offset + size)};
}

// Counts what a transfer asks of the file system.
class CountingFileSystem : public FakeFileSystem {
public:
    std::unique_ptr<platform::File> Open(std::wstring_view path, platform::OpenMode mode,
                                         bool exclusive) override {
        ++opens;
        return FakeFileSystem::Open(path, mode, exclusive);
    }
    bool SetReadOnly(std::wstring_view path, bool readOnly) override {
        ++attributeChanges;
        return FakeFileSystem::SetReadOnly(path, readOnly);
    }
    int opens = 0;
    int attributeChanges = 0;
};

}  // namespace kaocg_test
