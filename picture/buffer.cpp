#include "picture/buffer.h"

#include <new>
#include <stdexcept>

namespace picture {

std::optional<std::vector<std::uint8_t>> ZeroedBuffer(std::uint64_t size) {
    try {
        return std::vector<std::uint8_t>(static_cast<std::size_t>(size));
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    } catch (const std::length_error&) {
        return std::nullopt;
    }
}

}  // namespace picture
