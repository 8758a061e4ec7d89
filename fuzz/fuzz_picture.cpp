// Reads any bytes as a picture file the user chose: the reader chosen by content, the own
// readers first and the libraries for what they leave.
#include <cstddef>
#include <cstdint>
#include <span>

#include "picture/picture_reader.h"

namespace {

// A BMP of a few bytes may declare a black picture of 100 million pixels, which the own
// reader then gives; zeroing it is slow and finds nothing. The libraries bound their sizes
// by the file's length themselves.
bool DeclaresHugeBmp(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < 26 || bytes[0] != 'B' || bytes[1] != 'M') {
        return false;
    }
    auto at = [&](std::size_t offset) {
        const auto value = static_cast<std::int32_t>(
            std::uint32_t{bytes[offset]} | std::uint32_t{bytes[offset + 1]} << 8 |
            std::uint32_t{bytes[offset + 2]} << 16 | std::uint32_t{bytes[offset + 3]} << 24);
        return static_cast<std::uint64_t>(value < 0 ? -std::int64_t{value} : value);
    };
    return (at(18) + 31) * at(22) > 1'000'000;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    if (DeclaresHugeBmp(bytes)) {
        return -1;
    }
    picture::ReadPicture(bytes, L"fuzz.picture");
    return 0;
}
