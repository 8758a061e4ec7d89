// The EXIF orientation tag. An APP1 segment that starts "Exif\0\0" holds a TIFF structure: a
// byte-order mark ("II" little-endian, "MM" big-endian), the number 42, and the offset of the
// first image directory. A directory is a 16-bit entry count and 12-byte entries (tag, type,
// count, then the value itself when it fits in 4 bytes). Every offset in it counts from the
// byte-order mark and comes from the file, so each one is checked before it is followed.
#include <algorithm>
#include <array>

#include "picture/jpeg_segments.h"
#include "picture/orientation.h"

namespace picture {

namespace {

constexpr std::uint8_t kApp1 = 0xE1;
constexpr std::array<std::uint8_t, 6> kExifSignature{'E', 'x', 'i', 'f', 0, 0};
constexpr std::uint32_t kTiffMagic = 42;
constexpr std::uint32_t kOrientationTag = 0x0112;
constexpr std::uint32_t kTypeShort = 3;
constexpr std::size_t kEntrySize = 12;
constexpr int kUpright = 1;

class TiffReader {
public:
    TiffReader(std::span<const std::uint8_t> bytes, bool bigEndian)
        : m_bytes(bytes), m_bigEndian(bigEndian) {}

    bool Holds(std::uint64_t at, std::uint64_t count) const {
        return at <= m_bytes.size() && count <= m_bytes.size() - at;
    }
    // Callers check Holds first.
    std::uint32_t U16(std::size_t at) const {
        const std::uint32_t a = m_bytes[at];
        const std::uint32_t b = m_bytes[at + 1];
        return m_bigEndian ? a << 8 | b : b << 8 | a;
    }
    std::uint32_t U32(std::size_t at) const {
        const std::uint32_t high = m_bigEndian ? U16(at) : U16(at + 2);
        const std::uint32_t low = m_bigEndian ? U16(at + 2) : U16(at);
        return high << 16 | low;
    }

private:
    std::span<const std::uint8_t> m_bytes;
    bool m_bigEndian;
};

std::optional<TiffReader> OpenTiff(std::span<const std::uint8_t> tiff) {
    if (tiff.size() < 8)
        return std::nullopt;
    bool bigEndian = false;
    if (tiff[0] == 'M' && tiff[1] == 'M')
        bigEndian = true;
    else if (tiff[0] != 'I' || tiff[1] != 'I')
        return std::nullopt;
    TiffReader reader(tiff, bigEndian);
    if (reader.U16(2) != kTiffMagic)
        return std::nullopt;
    return reader;
}

int OrientationInTiff(std::span<const std::uint8_t> tiff) {
    const std::optional<TiffReader> reader = OpenTiff(tiff);
    if (!reader)
        return kUpright;
    const std::uint64_t directory = reader->U32(4);
    if (!reader->Holds(directory, 2))
        return kUpright;
    const std::uint32_t entries = reader->U16(directory);
    for (std::uint32_t i = 0; i < entries; ++i) {
        const std::uint64_t entry = directory + 2 + std::uint64_t{i} * kEntrySize;
        if (!reader->Holds(entry, kEntrySize))
            return kUpright;
        if (reader->U16(entry) != kOrientationTag)
            continue;
        if (reader->U16(entry + 2) != kTypeShort || reader->U32(entry + 4) == 0)
            return kUpright;
        const std::uint32_t value = reader->U16(entry + 8);
        return value >= 1 && value <= 8 ? static_cast<int>(value) : kUpright;
    }
    return kUpright;
}

bool IsExif(std::span<const std::uint8_t> payload) {
    return payload.size() >= kExifSignature.size() &&
           std::equal(kExifSignature.begin(), kExifSignature.end(), payload.begin());
}

}  // namespace

// Only the first Exif segment counts; other APP1 segments (XMP) are passed over.
int ReadJpegExifOrientation(std::span<const std::uint8_t> file) {
    std::size_t position = 0;
    while (const std::optional<JpegSegment> segment = NextJpegSegment(file, position)) {
        if (segment->marker == kApp1 && IsExif(segment->payload))
            return OrientationInTiff(segment->payload.subspan(kExifSignature.size()));
    }
    return kUpright;
}

}  // namespace picture
