#include "picture/bmp_dialog_reader.h"

#include <algorithm>
#include <string>

#include "picture/bmp_bitfields.h"
#include "picture/bmp_parse.h"
#include "picture/buffer.h"
#include "picture/pixel_access.h"
#include "resources/string_table.h"

namespace picture {

namespace {

PictureError WithPath(int id, std::wstring_view path, bool otherKind = false) {
    std::wstring text(path);
    text += L'\n';
    text += resources::LoadString(id);
    return {id, std::move(text), otherKind};
}

PictureError BadColours(const BITMAPINFOHEADER& header) {
    std::wstring text(resources::LoadString(resources::IDS_BMP_COLOURS));
    text += L"\nBitCount [" + std::to_wstring(header.biBitCount) + L"] ClrUsed [" +
            std::to_wstring(static_cast<std::int32_t>(header.biClrUsed)) + L"]";
    return {resources::IDS_BMP_COLOURS, std::move(text)};
}

// How the file's pixels are read: 15-bit files are stored like 16-bit 5-5-5 ones.
struct FileLayout {
    PixelLayout pixels;
    std::uint32_t tableEntries = 0;
    std::uint64_t outputWidth = 0;
    std::optional<BitFields> fields;  // 16- and 32-bit BI_BITFIELDS files
};

// Nothing for a bit count the dialog does not read.
std::optional<FileLayout> LayoutFor(const BITMAPINFOHEADER& header) {
    const std::uint64_t width = static_cast<std::uint32_t>(header.biWidth);
    const std::uint32_t clrUsed = header.biClrUsed;
    FileLayout layout;
    layout.pixels.bitCount = header.biBitCount;
    layout.outputWidth = (width + 3) / 4 * 4;
    switch (header.biBitCount) {
        case 1:
            layout.outputWidth = ((width + 7) / 8 + 3) / 4 * 32;
            break;
        case 4:
            layout.outputWidth = ((width + 1) / 2 + 3) / 4 * 8;
            break;
        case 8:
        case 24:
        case 32:
            break;
        case 15:
            layout.pixels.bitCount = 16;
            break;
        case 16:
            layout.pixels.is565 = header.biCompression == BI_BITFIELDS;
            break;
        default:
            return std::nullopt;
    }
    if (header.biBitCount <= 8) {
        const std::uint32_t full = 1u << header.biBitCount;
        layout.tableEntries = (clrUsed == 0 || clrUsed > full) ? full : clrUsed;
    }
    return layout;
}

// Converts the pixels of one file row that the file holds; the rest of the output row stays
// black, and so do the columns that the width rounding adds.
void ConvertRow(std::span<const std::uint8_t> file, std::uint64_t rowOffset, std::uint64_t width,
                const FileLayout& layout, std::uint8_t* out) {
    if (rowOffset >= file.size()) {
        return;
    }
    const std::uint32_t bitCount = layout.pixels.bitCount;
    const std::uint64_t available = file.size() - rowOffset;
    const std::uint64_t pixels = std::min(width, available * 8 / bitCount);
    const std::uint8_t* row = file.data() + rowOffset;
    for (std::uint64_t x = 0; x < pixels; ++x) {
        const std::uint32_t raw = ReadRaw(row, bitCount, x);
        const Colour c = layout.fields ? BitFieldsToColour(raw, *layout.fields)
                                       : RawToColour(raw, layout.pixels);
        out[3 * x] = c.blue;
        out[3 * x + 1] = c.green;
        out[3 * x + 2] = c.red;
    }
}

}  // namespace

BmpReadResult ReadBmpForDialog(std::span<const std::uint8_t> file, std::wstring_view path) {
    const std::optional<BitmapFileHeader> fileHeader = ParseFileHeader(file);
    const std::optional<BITMAPINFOHEADER> header = ParseInfoHeader(file, kFileHeaderSize);
    if (!fileHeader || !header || fileHeader->bfType != kBmpType ||
        header->biSize != kInfoHeaderSize) {
        // Other header forms (OS/2, V4, V5) are whole pictures of a kind this reader leaves
        // to others; a file too short for any header is not.
        const bool otherForm = fileHeader && header && fileHeader->bfType == kBmpType;
        return WithPath(resources::IDS_BMP_UNSUPPORTED, path, otherForm);
    }
    if (header->biCompression != BI_RGB && header->biCompression != BI_BITFIELDS) {
        return WithPath(resources::IDS_BMP_COMPRESSED, path, true);
    }
    std::optional<FileLayout> layout = LayoutFor(*header);
    if (!layout) {
        return BadColours(*header);
    }
    const bool masked = header->biCompression == BI_BITFIELDS &&
                        (header->biBitCount == 16 || header->biBitCount == 32);
    if (masked) {
        layout->fields =
            ParseBitFields(file, kFileHeaderSize + kInfoHeaderSize, header->biBitCount);
        if (!layout->fields) {
            return BadColours(*header);
        }
    }
    // Dimensions are checked before anything is allocated: a top-down file has a negative
    // height, and no row may be longer than the whole file.
    const std::int64_t signedHeight = header->biHeight;
    const std::uint64_t height = signedHeight < 0 ? -signedHeight : signedHeight;
    const std::uint64_t width = header->biWidth > 0 ? header->biWidth : 0;
    const std::uint64_t stride = RowStride(layout->pixels.bitCount, width);
    if (width == 0 || height == 0 || layout->outputWidth * height > kMaxPixels ||
        stride > file.size()) {
        return WithPath(resources::IDS_BMP_UNSUPPORTED, path);
    }
    const std::vector<RGBQUAD> table =
        ParseColourTable(file, kFileHeaderSize + kInfoHeaderSize, layout->tableEntries);
    layout->pixels.table = table;

    const std::uint64_t outStride = layout->outputWidth * 3;
    auto pixels = ZeroedBuffer(outStride * height);
    if (!pixels) {
        return WithPath(resources::IDS_BMP_UNSUPPORTED, path);
    }
    // The output is bottom-up like an ordinary file, so a top-down file's rows are reversed.
    for (std::uint64_t r = 0; r < height; ++r) {
        const std::uint64_t outRow = signedHeight < 0 ? height - 1 - r : r;
        ConvertRow(file, fileHeader->bfOffBits + r * stride, width, *layout,
                   pixels->data() + outRow * outStride);
    }
    std::optional<CDIB> picture =
        CDIB::CreateWithPixels(static_cast<std::int32_t>(layout->outputWidth),
                               -static_cast<std::int32_t>(height), std::move(*pixels), 24);
    if (!picture) {
        return WithPath(resources::IDS_BMP_UNSUPPORTED, path);
    }
    return std::move(*picture);
}

}  // namespace picture
