#include "library_encoders.h"

#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#if KAOCG_TEST_LIBJPEG
#include <jpeglib.h>
#endif
#if KAOCG_TEST_STB
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#define STBI_WRITE_NO_STDIO
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#include <stb_image_write.h>
#pragma GCC diagnostic pop
#endif
#if KAOCG_TEST_WEBP
#include <webp/encode.h>
#endif
#if KAOCG_TEST_TIFF
#include <tiffio.h>
#endif
#if KAOCG_TEST_HEIF
#include <libheif/heif.h>
#endif

namespace picture::testing {

#if KAOCG_TEST_LIBJPEG
// The test pictures are well-formed, so the library's default error handling (which ends
// the process) never runs.
Bytes LibjpegFile(const RawPicture& rgb, JpegCoding coding, int quality) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(rgb.width);
    info.image_height = static_cast<JDIMENSION>(rgb.height);
    const bool cmyk = coding == JpegCoding::kCmyk;
    info.input_components = cmyk ? 4 : 3;
    info.in_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    if (coding == JpegCoding::kRgb) {
        jpeg_set_colorspace(&info, JCS_RGB);  // writes an Adobe segment with transform 0
    }
    if (coding == JpegCoding::kProgressive) {
        jpeg_simple_progression(&info);
    }
    jpeg_start_compress(&info, TRUE);
    std::vector<std::uint8_t> row(static_cast<std::size_t>(rgb.width) * 4);
    while (info.next_scanline < info.image_height) {
        const std::uint8_t* in = rgb.At(0, static_cast<int>(info.next_scanline));
        JSAMPROW out = const_cast<std::uint8_t*>(in);
        if (cmyk) {
            for (int x = 0; x < rgb.width; ++x) {
                std::memcpy(&row[4 * x], in + 3 * x, 3);
                row[4 * x + 3] = 255;
            }
            out = row.data();
        }
        jpeg_write_scanlines(&info, &out, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    Bytes file(buffer, buffer + size);
    std::free(buffer);
    return file;
}
#else
Bytes LibjpegFile(const RawPicture&, JpegCoding, int) {
    return {};
}
#endif

#if KAOCG_TEST_STB
Bytes PngFile(const RawPicture& rgba) {
    Bytes file;
    stbi_write_png_to_func(
        [](void* context, void* data, int size) {
            auto* out = static_cast<Bytes*>(context);
            const auto* bytes = static_cast<const std::uint8_t*>(data);
            out->insert(out->end(), bytes, bytes + size);
        },
        &file, rgba.width, rgba.height, 4, rgba.samples.data(), rgba.width * 4);
    return file;
}
#else
Bytes PngFile(const RawPicture&) {
    return {};
}
#endif

#if KAOCG_TEST_WEBP
Bytes LosslessWebpFile(const RawPicture& rgba) {
    std::uint8_t* output = nullptr;
    const std::size_t size = WebPEncodeLosslessRGBA(rgba.samples.data(), rgba.width, rgba.height,
                                                    rgba.width * 4, &output);
    Bytes file(output, output + size);
    WebPFree(output);
    return file;
}
#else
Bytes LosslessWebpFile(const RawPicture&) {
    return {};
}
#endif

#if KAOCG_TEST_TIFF
Bytes TiffFile(const RawPicture& rgb) {
    const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                       ("picture_test_" + std::to_string(::getpid()) + ".tif");
    TIFF* tiff = TIFFOpen(path.c_str(), "w");
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, static_cast<std::uint32_t>(rgb.width));
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, static_cast<std::uint32_t>(rgb.height));
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 3);
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_LZW);
    for (int y = 0; y < rgb.height; ++y) {
        TIFFWriteScanline(tiff, const_cast<std::uint8_t*>(rgb.At(0, y)),
                          static_cast<std::uint32_t>(y), 0);
    }
    TIFFClose(tiff);
    std::ifstream in(path, std::ios::binary);
    Bytes file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::filesystem::remove(path);
    return file;
}
#else
Bytes TiffFile(const RawPicture&) {
    return {};
}
#endif

#if KAOCG_TEST_HEIF
// The HEVC encoder keeps one allocation of its own until the process ends; the leak checker
// of sanitised builds is told so, and nothing else.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libx265.so\n";
}

namespace {

heif_error AppendBytes(heif_context*, const void* data, size_t size, void* userdata) {
    auto* out = static_cast<Bytes*>(userdata);
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    out->insert(out->end(), bytes, bytes + size);
    return heif_error{heif_error_Ok, heif_suberror_Unspecified, "ok"};
}

}  // namespace

// Empty when this libheif has no HEVC encoder.
Bytes HeifFile(const RawPicture& rgb) {
    Bytes file;
    heif_context* context = heif_context_alloc();
    heif_encoder* encoder = nullptr;
    if (heif_context_get_encoder_for_format(context, heif_compression_HEVC, &encoder).code !=
        heif_error_Ok) {
        heif_context_free(context);
        return file;
    }
    heif_encoder_set_lossy_quality(encoder, 90);
    heif_image* image = nullptr;
    heif_image_create(rgb.width, rgb.height, heif_colorspace_RGB, heif_chroma_interleaved_RGB,
                      &image);
    heif_image_add_plane(image, heif_channel_interleaved, rgb.width, rgb.height, 8);
    int stride = 0;
    std::uint8_t* plane = heif_image_get_plane(image, heif_channel_interleaved, &stride);
    for (int y = 0; y < rgb.height; ++y) {
        std::memcpy(plane + y * stride, rgb.At(0, y), static_cast<std::size_t>(rgb.width) * 3);
    }
    heif_context_encode_image(context, image, encoder, nullptr, nullptr);
    heif_writer writer{1, &AppendBytes};
    heif_context_write(context, &writer, &file);
    heif_image_release(image);
    heif_encoder_release(encoder);
    heif_context_free(context);
    return file;
}
#else
Bytes HeifFile(const RawPicture&) {
    return {};
}
#endif

}  // namespace picture::testing
