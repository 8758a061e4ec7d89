#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "picture/dib.h"
#include "picture/picture_kind.h"

namespace picture::library {

// The most pixels a library may be asked to decode (8192 x 8192, beyond the photos of any
// phone camera), and the most pixels a file may claim for each of its bytes: no format read
// here packs a real picture tighter, so a forged size in a small file is refused before any
// memory is taken for it.
inline constexpr std::uint64_t kMaxPixels = std::uint64_t{64} * 1024 * 1024;
inline constexpr std::uint64_t kMaxPixelsPerByte = 16384;

// Checks a size a file's header claims, before anything is allocated for it.
bool FitsLimits(std::uint64_t width, std::uint64_t height, std::uint64_t fileBytes);

// What a library decoded: 8 bits a channel, R, G, B (and A when `channels` is 4), top row
// first, rows without padding.
struct Decoded {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    int channels = 3;
    std::vector<std::uint8_t> pixels;
    bool endedEarly = false;  // the file ends before its picture does
    bool upright = false;     // the library applied the file's rotation and mirroring
};

// A library reader: nothing when it cannot read the file. It never throws.
using Reader = std::optional<Decoded> (*)(std::span<const std::uint8_t> file);

// The reader built in for a kind; null when its library was not found at build time.
Reader ReaderFor(PictureKind kind);

// The 24-bit bottom-up picture of decoded pixels, transparency laid over black; nothing when
// memory runs out.
std::optional<CDIB> ToDib(const Decoded& decoded);

// The readers, one file and one library each.
std::optional<Decoded> ReadJpegWithLibrary(std::span<const std::uint8_t> file);
std::optional<Decoded> ReadWithStb(std::span<const std::uint8_t> file);
std::optional<Decoded> ReadWebp(std::span<const std::uint8_t> file);
std::optional<Decoded> ReadTiff(std::span<const std::uint8_t> file);
std::optional<Decoded> ReadHeif(std::span<const std::uint8_t> file);

}  // namespace picture::library
