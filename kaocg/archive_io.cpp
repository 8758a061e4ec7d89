#include "kaocg/archive_io.h"

#include <array>

namespace kaocg_func {

bool ReadU32LE(platform::File& file, std::uint32_t& value) {
    std::array<std::uint8_t, 4> bytes{};
    if (file.Read(bytes.data(), bytes.size()) != bytes.size()) {
        return false;
    }
    value = std::uint32_t{bytes[0]} | std::uint32_t{bytes[1]} << 8 | std::uint32_t{bytes[2]} << 16 |
            std::uint32_t{bytes[3]} << 24;
    return true;
}

bool WriteU32LE(platform::File& file, std::uint32_t value) {
    const std::array<std::uint8_t, 4> bytes{
        static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
        static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
    return file.Write(bytes.data(), bytes.size());
}

}  // namespace kaocg_func
