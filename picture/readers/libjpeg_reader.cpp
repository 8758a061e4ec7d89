// JPEG pictures of the kinds the editor's own decoder leaves (progressive, arithmetic-coded,
// 12-bit, CMYK and YCCK, several scans), through libjpeg-turbo's libjpeg interface.
//
// The library reports errors through a callback that must not return; it jumps back to a
// setjmp point. Each point sits in a function that holds only plain values, so the jump skips
// no destructor and leaves no object half-changed; buffers are owned one level up.
#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <new>
#include <vector>

#include <jpeglib.h>
// After jpeglib.h, which it needs.
#include <jerror.h>

#include "picture/library_readers.h"

namespace picture::library {
namespace {

// Beyond the pictures themselves: the coefficients of a progressive picture of the largest
// allowed size fit well inside this.
constexpr long kMaxLibraryMemory = 1L << 30;

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    bool endedEarly;
};

[[noreturn]] void LeaveOnError(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

// Warnings are not printed; only the one for a file that ends early matters.
void NoteWarning(j_common_ptr info, int level) {
    auto* errors = reinterpret_cast<ErrorManager*>(info->err);
    if (level < 0 && errors->base.msg_code == JWRN_JPEG_EOF) {
        errors->endedEarly = true;
    }
}

bool ReadHeader(jpeg_decompress_struct& info, ErrorManager& errors,
                std::span<const std::uint8_t> file) {
    if (setjmp(errors.jump) != 0) {
        return false;
    }
    jpeg_create_decompress(&info);
    info.mem->max_memory_to_use = kMaxLibraryMemory;
    jpeg_mem_src(&info, file.data(), static_cast<unsigned long>(file.size()));
    jpeg_read_header(&info, TRUE);
    // Four-component pictures come out as CMYK (YCCK converted by the library); the others
    // as RGB, grey ones included.
    const bool fourComponents =
        info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = fourComponents ? JCS_CMYK : JCS_RGB;
    return true;
}

// Adobe's CMYK pictures store ink inverted (255 = no ink), which is what its segment marks;
// without it the values are ink amounts.
void CmykRowToRgb(const std::uint8_t* cmyk, std::size_t width, bool inverted, std::uint8_t* rgb) {
    for (std::size_t x = 0; x < width; ++x, cmyk += 4, rgb += 3) {
        const unsigned k = inverted ? cmyk[3] : 255u - cmyk[3];
        for (int c = 0; c < 3; ++c) {
            const unsigned ink = inverted ? cmyk[c] : 255u - cmyk[c];
            rgb[c] = static_cast<std::uint8_t>((ink * k + 127) / 255);
        }
    }
}

// `row` holds one CMYK row when the output is CMYK.
bool ReadPixels(jpeg_decompress_struct& info, ErrorManager& errors, std::uint8_t* out,
                std::uint8_t* row) {
    if (setjmp(errors.jump) != 0) {
        return false;
    }
    jpeg_start_decompress(&info);
    const std::size_t width = info.output_width;
    const bool cmyk = info.out_color_space == JCS_CMYK;
    while (info.output_scanline < info.output_height) {
        std::uint8_t* target = out + std::size_t{info.output_scanline} * width * 3;
        JSAMPROW rows[1] = {cmyk ? row : target};
        if (jpeg_read_scanlines(&info, rows, 1) != 1) {
            break;  // suspended: cannot happen with memory input
        }
        if (cmyk) {
            CmykRowToRgb(row, width, info.saw_Adobe_marker, target);
        }
    }
    jpeg_abort_decompress(&info);
    return true;
}

struct Decompressor {
    jpeg_decompress_struct info{};
    ErrorManager errors{};

    Decompressor() {
        info.err = jpeg_std_error(&errors.base);
        errors.base.error_exit = LeaveOnError;
        errors.base.emit_message = NoteWarning;
    }
    ~Decompressor() { jpeg_destroy_decompress(&info); }
    Decompressor(const Decompressor&) = delete;
    Decompressor& operator=(const Decompressor&) = delete;
};

}  // namespace

std::optional<Decoded> ReadJpegWithLibrary(std::span<const std::uint8_t> file) {
    Decompressor jpeg;
    if (file.empty() || !ReadHeader(jpeg.info, jpeg.errors, file) ||
        !FitsLimits(jpeg.info.image_width, jpeg.info.image_height, file.size())) {
        return std::nullopt;
    }
    // The output size is the header's: no scaling is asked for.
    Decoded decoded;
    decoded.width = jpeg.info.image_width;
    decoded.height = jpeg.info.image_height;
    std::vector<std::uint8_t> row;
    try {
        decoded.pixels.assign(std::size_t{decoded.width} * decoded.height * 3, 0);
        row.resize(std::size_t{decoded.width} * 4);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    if (!ReadPixels(jpeg.info, jpeg.errors, decoded.pixels.data(), row.data())) {
        return std::nullopt;
    }
    decoded.endedEarly = jpeg.errors.endedEarly;
    return decoded;
}

}  // namespace picture::library
