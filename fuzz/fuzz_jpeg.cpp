// Reads any bytes as the load-image dialog's JPEG file, turned upright as the dialog does; the
// EXIF reader also sees every input, decodable or not.
#include <cstddef>
#include <cstdint>
#include <span>

#include "picture/jpeg_dialog_reader.h"
#include "picture/orientation.h"
#include "picture/upright_picture.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> file(data, size);
    picture::JpegReadResult read = picture::ReadJpegForDialog(file, L"fuzz.jpg");
    picture::TurnUpright(read, file, L"fuzz.jpg");
    if (const int orientation = picture::ReadJpegExifOrientation(file);
        orientation < 1 || orientation > 8)
        __builtin_trap();
    return 0;
}
