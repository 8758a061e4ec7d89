// Reads any bytes as the load-image dialog's BMP file and as a picture stream.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "picture/bmp_dialog_reader.h"
#include "picture/dib.h"

namespace {

// Both readers accept a file of a few bytes whose header declares up to 100 million pixels and
// give a black picture that large; zeroing it takes the fuzzer a large share of a second for
// nothing new. Such headers are left to the unit tests, so that the fuzzer spends its time on
// the pixel formats. The bound is far above any face picture (240 x 240); at 4 million pixels
// the few corpus files near it still took 4 ms each and cut the rate to a quarter.
constexpr std::uint64_t kMaxFuzzPixels = 1'000'000;

std::int32_t Int32At(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return static_cast<std::int32_t>(
        std::uint32_t{bytes[offset]} | std::uint32_t{bytes[offset + 1]} << 8 |
        std::uint32_t{bytes[offset + 2]} << 16 | std::uint32_t{bytes[offset + 3]} << 24);
}

// biWidth and biHeight of the info header after the 14-byte file header. The widest output
// row rounds a 1-bit width up to 32 pixels, so that rounding is counted as well.
bool DeclaresHugePicture(std::span<const std::uint8_t> bytes) {
    constexpr std::size_t kWidthOffset = 14 + 4;
    constexpr std::size_t kHeightOffset = 14 + 8;
    if (bytes.size() < kHeightOffset + 4) {
        return false;
    }
    const std::uint64_t width =
        static_cast<std::uint64_t>(std::abs(std::int64_t{Int32At(bytes, kWidthOffset)}));
    const std::uint64_t height =
        static_cast<std::uint64_t>(std::abs(std::int64_t{Int32At(bytes, kHeightOffset)}));
    return (width + 31) * height > kMaxFuzzPixels;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    if (DeclaresHugePicture(bytes)) {
        return -1;  // not added to the corpus
    }
    picture::ReadBmpForDialog(bytes, L"fuzz.bmp");
    picture::CDIB dib;
    dib.ReadFromStream(bytes);
    return 0;
}
