// Creating pictures from packed bitmaps and from BMP files held in memory.
#include <utility>

#include "picture/bmp_parse.h"
#include "picture/buffer.h"
#include "picture/dib.h"

namespace picture {

namespace {

// A header CDIB can hold, normalised; nothing when it is not a 40-byte header or cannot be held.
std::optional<BITMAPINFOHEADER> AcceptedHeader(std::span<const std::uint8_t> bytes,
                                               std::uint64_t offset, bool& topDown) {
    std::optional<BITMAPINFOHEADER> header = ParseInfoHeader(bytes, offset);
    if (!header || header->biSize != kInfoHeaderSize || !NormaliseHeader(*header, topDown)) {
        return std::nullopt;
    }
    return header;
}

struct PackedParts {
    BITMAPINFOHEADER header;
    bool topDown = false;
    std::vector<RGBQUAD> colours;
    std::uint64_t pixelOffset = 0;
};

// A packed bitmap must be complete: unlike a file, nothing is read past what it holds.
std::optional<PackedParts> ParsePacked(std::span<const std::uint8_t> packed) {
    PackedParts parts;
    std::optional<BITMAPINFOHEADER> header = AcceptedHeader(packed, 0, parts.topDown);
    if (!header) {
        return std::nullopt;
    }
    parts.header = *header;
    // Bit-field masks sit between a 40-byte header and the pixels.
    const std::uint64_t tableOffset =
        kInfoHeaderSize + (header->biCompression == BI_BITFIELDS ? 12 : 0);
    const std::uint32_t entries = ColourTableSize(*header);
    parts.colours = ParseColourTable(packed, tableOffset, entries);
    parts.pixelOffset = tableOffset + 4ull * entries;
    const std::uint64_t size = PixelBytes(*header);
    if (parts.colours.size() < entries || parts.pixelOffset > packed.size() ||
        packed.size() - parts.pixelOffset < size) {
        return std::nullopt;
    }
    return parts;
}

}  // namespace

bool CDIB::Create(std::span<const std::uint8_t> packed) {
    std::optional<PackedParts> parts = ParsePacked(packed);
    if (!parts) {
        return false;
    }
    auto buffer = ZeroedBuffer(PixelBytes(parts->header));
    if (!buffer) {
        return false;
    }
    CopyAvailable(packed, parts->pixelOffset, buffer->size(), buffer->data());
    Take(parts->header, std::move(parts->colours), parts->topDown, std::move(*buffer), nullptr, 1);
    return true;
}

bool CDIB::Wrap(std::span<std::uint8_t> packed) {
    std::optional<PackedParts> parts = ParsePacked(packed);
    if (!parts) {
        return false;
    }
    Take(parts->header, std::move(parts->colours), parts->topDown, {},
         packed.data() + parts->pixelOffset, 1);
    return true;
}

bool CDIB::ReadFromStream(std::span<const std::uint8_t> stream) {
    const std::optional<BitmapFileHeader> file = ParseFileHeader(stream);
    if (!file || file->bfType != kBmpType) {
        return false;
    }
    bool topDown = false;
    const std::optional<BITMAPINFOHEADER> header = AcceptedHeader(stream, kFileHeaderSize, topDown);
    // A single row longer than the whole file can only come from a damaged header.
    if (!header || RowStride(header->biBitCount, static_cast<std::uint32_t>(header->biWidth)) >
                       stream.size()) {
        return false;
    }
    const std::uint32_t entries = ColourTableSize(*header);
    std::vector<RGBQUAD> colours =
        ParseColourTable(stream, kFileHeaderSize + kInfoHeaderSize, entries);
    colours.resize(entries);
    auto buffer = ZeroedBuffer(PixelBytes(*header));
    if (!buffer) {
        return false;
    }
    CopyAvailable(stream, file->bfOffBits, buffer->size(), buffer->data());
    Take(*header, std::move(colours), topDown, std::move(*buffer), nullptr, 1);
    return true;
}

}  // namespace picture
