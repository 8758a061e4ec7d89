#pragma once

// ID archive files built byte by byte, independently of the code under test.

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "kaocg/face_slot_table.h"

namespace kaocg_test {

inline const std::wstring kEditFolder = L"C:\\users\\player\\Documents\\edit\\";
inline const std::wstring kBaseIdPath = kEditFolder + L"kaoedit.q06";
inline const std::wstring kZvIdPath = kEditFolder + L"kaoeditzv.q06";

inline void PutU32(std::vector<std::uint8_t>& bytes, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        bytes.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

inline std::uint32_t GetU32(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = value << 8 | bytes.at(offset + static_cast<std::size_t>(i));
    }
    return value;
}

inline std::vector<std::uint8_t> IdArchiveBytes(bool zv, const kaocg_func::FaceSlotTable& table) {
    const char* magic = zv ? "kaoeditzv v1    " : "kaoedit v1      ";
    std::vector<std::uint8_t> bytes(magic, magic + 16);
    const std::uint32_t count = zv ? 2600 : 2370;
    for (std::uint32_t i = 0; i < count; ++i) {
        PutU32(bytes, i);
        PutU32(bytes, table[i]);
    }
    return bytes;
}

// The entry stored for general code i.
inline std::uint32_t EntryOf(const std::vector<std::uint8_t>& archive, std::size_t code) {
    return GetU32(archive, 16 + 8 * code + 4);
}

inline kaocg_func::FaceSlotTable EmptyTable() {
    kaocg_func::FaceSlotTable table;
    table.fill(kaocg_func::kNoFaceEntry);
    return table;
}

}  // namespace kaocg_test
