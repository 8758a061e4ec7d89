#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace picture::testing {

// One image directory entry; for a SHORT, `value` is stored in the first two bytes of the
// value field, as TIFF keeps values that fit.
struct ExifEntry {
    std::uint16_t tag;
    std::uint16_t type;
    std::uint32_t count;
    std::uint32_t value;
};

inline constexpr std::uint16_t kTypeAscii = 2;
inline constexpr std::uint16_t kTypeShort = 3;
inline constexpr std::uint16_t kTypeLong = 4;
inline constexpr std::uint16_t kOrientationTag = 0x0112;

inline void PutOrdered(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes,
                       bool bigEndian) {
    for (int i = 0; i < bytes; ++i) {
        const int shift = bigEndian ? 8 * (bytes - 1 - i) : 8 * i;
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

// The payload of an APP1 segment: "Exif\0\0", then a TIFF header whose first directory is at
// `directoryOffset` (8 lies right after the header) holding the entries.
inline std::vector<std::uint8_t> ExifPayload(bool bigEndian, const std::vector<ExifEntry>& entries,
                                             std::uint32_t directoryOffset = 8) {
    std::vector<std::uint8_t> out{'E', 'x', 'i', 'f', 0, 0};
    out.push_back(bigEndian ? 'M' : 'I');
    out.push_back(bigEndian ? 'M' : 'I');
    PutOrdered(out, 42, 2, bigEndian);
    PutOrdered(out, directoryOffset, 4, bigEndian);
    PutOrdered(out, static_cast<std::uint32_t>(entries.size()), 2, bigEndian);
    for (const ExifEntry& entry : entries) {
        PutOrdered(out, entry.tag, 2, bigEndian);
        PutOrdered(out, entry.type, 2, bigEndian);
        PutOrdered(out, entry.count, 4, bigEndian);
        if (entry.type == kTypeShort) {
            PutOrdered(out, entry.value, 2, bigEndian);
            PutOrdered(out, 0, 2, bigEndian);
        } else {
            PutOrdered(out, entry.value, 4, bigEndian);
        }
    }
    PutOrdered(out, 0, 4, bigEndian);  // no next directory
    return out;
}

inline std::vector<std::uint8_t> Segment(std::uint8_t marker,
                                         const std::vector<std::uint8_t>& payload) {
    std::vector<std::uint8_t> out{0xFF, marker};
    PutOrdered(out, static_cast<std::uint32_t>(payload.size() + 2), 2, true);
    out.insert(out.end(), payload.begin(), payload.end());
    return out;
}

// A JPEG file with an Exif segment holding one orientation tag, put right after SOI.
inline std::vector<std::uint8_t> WithOrientation(std::vector<std::uint8_t> jpeg, int orientation,
                                                 bool bigEndian = false) {
    const std::vector<std::uint8_t> app1 =
        Segment(0xE1, ExifPayload(bigEndian, {{kOrientationTag, kTypeShort, 1,
                                               static_cast<std::uint32_t>(orientation)}}));
    jpeg.insert(jpeg.begin() + 2, app1.begin(), app1.end());
    return jpeg;
}

}  // namespace picture::testing
