// TIFF pictures (the first page), through libtiff's RGBA interface, which handles every
// photometric interpretation and compression the library knows. The file is read from
// memory through client procedures; the library's messages are silenced.
#include <algorithm>
#include <cstring>
#include <new>

#include <tiffio.h>

#include "picture/library_readers.h"

namespace picture::library {
namespace {

struct MemoryFile {
    std::span<const std::uint8_t> bytes;
    toff_t position = 0;
};

tsize_t ReadProc(thandle_t handle, tdata_t buffer, tsize_t size) {
    auto* file = static_cast<MemoryFile*>(handle);
    const toff_t available =
        file->position < file->bytes.size() ? file->bytes.size() - file->position : 0;
    const toff_t count = std::min<toff_t>(available, static_cast<toff_t>(size));
    std::memcpy(buffer, file->bytes.data() + file->position, count);
    file->position += count;
    return static_cast<tsize_t>(count);
}

tsize_t WriteProc(thandle_t, tdata_t, tsize_t) {
    return -1;
}

toff_t SeekProc(thandle_t handle, toff_t offset, int whence) {
    auto* file = static_cast<MemoryFile*>(handle);
    const toff_t base = whence == SEEK_CUR   ? file->position
                        : whence == SEEK_END ? file->bytes.size()
                                             : 0;
    file->position = base + offset;
    return file->position;
}

int CloseProc(thandle_t) {
    return 0;
}

toff_t SizeProc(thandle_t handle) {
    return static_cast<MemoryFile*>(handle)->bytes.size();
}

int MapProc(thandle_t, tdata_t*, toff_t*) {
    return 0;
}

void UnmapProc(thandle_t, tdata_t, toff_t) {}

// RGBA words (R in the low byte) into bytes R, G, B, A.
void UnpackRgba(const std::vector<std::uint32_t>& words, std::vector<std::uint8_t>& bytes) {
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::uint32_t w = words[i];
        bytes[4 * i] = static_cast<std::uint8_t>(TIFFGetR(w));
        bytes[4 * i + 1] = static_cast<std::uint8_t>(TIFFGetG(w));
        bytes[4 * i + 2] = static_cast<std::uint8_t>(TIFFGetB(w));
        bytes[4 * i + 3] = static_cast<std::uint8_t>(TIFFGetA(w));
    }
}

bool ReadFirstPage(TIFF* tiff, std::uint64_t fileBytes, Decoded& decoded) {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    if (!TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &width) ||
        !TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &height) ||
        !FitsLimits(width, height, fileBytes)) {
        return false;
    }
    std::vector<std::uint32_t> words;
    try {
        words.resize(std::size_t{width} * height);
        decoded.pixels.resize(words.size() * 4);
    } catch (const std::bad_alloc&) {
        return false;
    }
    if (!TIFFReadRGBAImageOriented(tiff, width, height, words.data(), ORIENTATION_TOPLEFT, 0)) {
        return false;
    }
    UnpackRgba(words, decoded.pixels);
    decoded.width = width;
    decoded.height = height;
    decoded.channels = 4;
    return true;
}

}  // namespace

std::optional<Decoded> ReadTiff(std::span<const std::uint8_t> file) {
    TIFFSetErrorHandler(nullptr);
    TIFFSetWarningHandler(nullptr);
    MemoryFile memory{file};
    TIFF* tiff = TIFFClientOpen("picture", "rm", &memory, ReadProc, WriteProc, SeekProc, CloseProc,
                                SizeProc, MapProc, UnmapProc);
    if (tiff == nullptr) {
        return std::nullopt;
    }
    Decoded decoded;
    const bool ok = ReadFirstPage(tiff, file.size(), decoded);
    TIFFClose(tiff);
    return ok ? std::optional<Decoded>(std::move(decoded)) : std::nullopt;
}

}  // namespace picture::library
