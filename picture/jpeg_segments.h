#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace picture {

// One marker segment of a JPEG file's header: the marker byte and the bytes after its length.
struct JpegSegment {
    std::uint8_t marker;
    std::span<const std::uint8_t> payload;
};

// Walks the segments before the first scan without decoding anything. Start with position 0;
// each call gives the next segment and moves position past it. Nothing once the scan or the
// end of the picture is reached, when the file does not start with SOI, or when a length or a
// marker does not fit the bytes, so the caller never sees a segment that is not wholly there.
std::optional<JpegSegment> NextJpegSegment(std::span<const std::uint8_t> file,
                                           std::size_t& position);

// The width the frame header states (samples per line), or 0 without a readable one.
int ReadJpegFrameWidth(std::span<const std::uint8_t> file);

}  // namespace picture
