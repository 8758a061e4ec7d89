// Reads any bytes as the load-image dialog's BMP file and as a picture stream.
#include <cstddef>
#include <cstdint>
#include <span>

#include "picture/bmp_dialog_reader.h"
#include "picture/dib.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    picture::ReadBmpForDialog(bytes, L"fuzz.bmp");
    picture::CDIB dib;
    dib.ReadFromStream(bytes);
    return 0;
}
