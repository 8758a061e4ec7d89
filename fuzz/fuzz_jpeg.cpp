// Reads any bytes as the load-image dialog's JPEG file.
#include <cstddef>
#include <cstdint>
#include <span>

#include "picture/jpeg_dialog_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    picture::ReadJpegForDialog(std::span<const std::uint8_t>(data, size), L"fuzz.jpg");
    return 0;
}
