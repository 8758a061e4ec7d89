// Reads any bytes as the contents of a face archive slot.
#include <cstddef>
#include <cstdint>
#include <span>

#include "kaocg/face_texture.h"
#include "picture/dib.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    picture::CDIB picture;
    kaocg_func::DecodeFaceTexture(std::span<const std::uint8_t>(data, size), picture);
    return 0;
}
