#include "picture/jpeg_segments.h"

namespace picture {

namespace {

constexpr std::uint8_t kMarkerPrefix = 0xFF;
constexpr std::uint8_t kStartOfImage = 0xD8;
constexpr std::uint8_t kEndOfImage = 0xD9;
constexpr std::uint8_t kStartOfScan = 0xDA;

// Markers without a length: TEM and the restart markers.
bool StandsAlone(std::uint8_t marker) {
    return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7);
}

// SOF0..SOF15 except DHT, JPG and DAC, which share the range.
bool IsFrameHeader(std::uint8_t marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

std::uint32_t BigEndian16(std::span<const std::uint8_t> bytes, std::size_t at) {
    return std::uint32_t{bytes[at]} << 8 | bytes[at + 1];
}

}  // namespace

std::optional<JpegSegment> NextJpegSegment(std::span<const std::uint8_t> file,
                                           std::size_t& position) {
    if (position == 0) {
        if (file.size() < 2 || file[0] != kMarkerPrefix || file[1] != kStartOfImage)
            return std::nullopt;
        position = 2;
    }
    while (true) {
        if (position >= file.size() || file[position] != kMarkerPrefix)
            return std::nullopt;
        // Any number of 0xFF fill bytes may come before a marker.
        while (position < file.size() && file[position] == kMarkerPrefix)
            ++position;
        if (position >= file.size())
            return std::nullopt;
        const std::uint8_t marker = file[position++];
        if (StandsAlone(marker))
            continue;
        if (marker == 0 || marker == kStartOfImage || marker == kEndOfImage ||
            marker == kStartOfScan || file.size() - position < 2)
            return std::nullopt;
        const std::uint32_t length = BigEndian16(file, position);
        if (length < 2 || file.size() - position < length)
            return std::nullopt;
        const JpegSegment segment{marker, file.subspan(position + 2, length - 2)};
        position += length;
        return segment;
    }
}

int ReadJpegFrameWidth(std::span<const std::uint8_t> file) {
    std::size_t position = 0;
    while (const std::optional<JpegSegment> segment = NextJpegSegment(file, position)) {
        // Precision, then the number of lines and the samples per line.
        if (IsFrameHeader(segment->marker))
            return segment->payload.size() >= 5 ? static_cast<int>(BigEndian16(segment->payload, 3))
                                                : 0;
    }
    return 0;
}

}  // namespace picture
