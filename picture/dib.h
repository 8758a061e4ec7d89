#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "picture/bitmap_header.h"

namespace picture {

// A device-independent picture: a BMP info header with its colour table and a pixel buffer of
// 1, 4, 8, 16, 24 or 32 bits per pixel. Rows are stored bottom row first unless the picture was
// created top-down; each row is RowStride bytes. The buffer is either owned or wrapped (the
// caller keeps a wrapped buffer alive for the picture's lifetime).
//
// Every operation that can fail returns false and leaves the picture as it was. Pictures move
// but do not copy implicitly; Create(const CDIB&) makes a deep copy.
class CDIB {
public:
    CDIB() = default;
    ~CDIB() = default;
    CDIB(CDIB&& other) noexcept;
    CDIB& operator=(CDIB&& other) noexcept;
    CDIB(const CDIB&) = delete;
    CDIB& operator=(const CDIB&) = delete;

    // From a packed bitmap: 40-byte header, colour table, then the pixels. The first copies
    // the pixels, the second keeps pointing at them inside `packed`.
    bool Create(std::span<const std::uint8_t> packed);
    bool Wrap(std::span<std::uint8_t> packed);
    // A deep copy of another picture (header, table, pixels, top-down flag and state).
    bool Create(const CDIB& source);
    // From a header and its pixels, copied. A negative biHeight makes a top-down picture; the
    // colour table may be shorter than the header asks for, the rest is black. `pixels` must
    // hold at least RowStride x height bytes.
    bool Create(const BITMAPINFOHEADER& header, std::span<const std::uint8_t> pixels,
                std::span<const RGBQUAD> colours = {});
    // A BMP file held in memory: file header, 40-byte info header, colour table, pixels from
    // the file header's pixel offset. Pixels missing at the end of the file read as 0.
    bool ReadFromStream(std::span<const std::uint8_t> stream);
    // Pictures from the executable's resources are not available in this build.
    bool LoadFromResource(int resourceId);

    // A header-only picture: 8 bits per pixel, |height| rows, a zeroed colour table of
    // (headerSize - 40) / 4 entries (at most 256) and no pixel buffer. height < 0 makes it
    // top-down. The state flag is 0.
    static std::optional<CDIB> CreateHeader(std::int32_t width, std::int32_t height,
                                            std::uint32_t headerSize);
    // A picture of bitCount bits per pixel over `pixels` (rows of RowStride bytes, taken over),
    // or over a new zeroed buffer when `pixels` is empty. Note the sign: a positive height
    // gives a top-down picture, a negative height a bottom-up one. Indexed pictures get a
    // zeroed table of 2^bitCount entries.
    static std::optional<CDIB> CreateWithPixels(std::int32_t width, std::int32_t height,
                                                std::vector<std::uint8_t> pixels,
                                                std::uint16_t bitCount);
    // The same over a buffer the caller keeps alive; it must hold RowStride x |height| bytes.
    static std::optional<CDIB> WrapPixels(std::int32_t width, std::int32_t height,
                                          std::span<std::uint8_t> pixels, std::uint16_t bitCount);

    bool IsValid() const { return m_header.biSize != 0; }
    std::int32_t Width() const { return m_header.biWidth; }
    std::int32_t Height() const { return m_header.biHeight; }  // always positive
    std::uint16_t BitCount() const { return m_header.biBitCount; }
    std::uint64_t Stride() const;
    // RowStride x height: the bytes of the pixel buffer the picture addresses.
    std::uint64_t ByteSize() const;
    bool IsTopDown() const { return m_topDown; }
    // 1 for an empty picture and after reading a file, 0 after creating from dimensions.
    std::uint32_t State() const { return m_state; }
    // The header as stored: biHeight positive whatever the row order.
    const BITMAPINFOHEADER& Header() const { return m_header; }
    std::span<const RGBQUAD> ColourTable() const { return m_colours; }
    std::span<RGBQUAD> ColourTable() { return m_colours; }
    // The addressed pixel bytes (ByteSize of them); empty for a header-only picture.
    std::span<std::uint8_t> Pixels() { return {m_pixels, m_pixelBytes}; }
    std::span<const std::uint8_t> Pixels() const { return {m_pixels, m_pixelBytes}; }
    bool OwnsPixels() const { return m_pixels != nullptr && m_pixels == m_owned.data(); }

    // The first byte of pixel (x, y), (0, 0) being the top-left pixel; sub-byte pixels share
    // their byte. nullptr outside the picture or without pixels.
    std::uint8_t* PixelAddress(std::int32_t x, std::int32_t y);
    const std::uint8_t* PixelAddress(std::int32_t x, std::int32_t y) const;

    // Copies a w x h rectangle at (sx, sy) of this picture to (dx, dy) of `dest`, converting
    // each pixel between the two bit depths (indexed pixels through their colour tables,
    // colours into an indexed destination by the nearest table entry). The rectangle is cut to
    // what both pictures hold. Source pixels equal to colourKey are skipped; -1 means no key.
    // The key is an index (its low byte) for indexed sources, the raw 16-bit value for 16-bit
    // sources and 0xRRGGBB for 24- and 32-bit ones.
    bool CopyRect(CDIB& dest, std::int32_t dx, std::int32_t dy, std::int32_t w, std::int32_t h,
                  std::int32_t sx, std::int32_t sy, std::int64_t colourKey = -1) const;

    // 1-, 4- and 8-bit pictures are filled with the value's low byte (4-bit: its low nibble in
    // both halves); deeper ones with the value as a pixel (16-bit raw, 0xRRGGBB for 24 and 32
    // bits, whose fourth byte takes bits 24..31).
    bool Fill(std::uint32_t value);

private:
    // Takes over a checked, normalised header and its parts; cannot fail, so every creation
    // prepares (and allocates) first and commits with this.
    void Take(const BITMAPINFOHEADER& header, std::vector<RGBQUAD> colours, bool topDown,
              std::vector<std::uint8_t> owned, std::uint8_t* external, std::uint32_t state);

    BITMAPINFOHEADER m_header{};
    std::vector<RGBQUAD> m_colours;
    std::vector<std::uint8_t> m_owned;
    std::uint8_t* m_pixels = nullptr;
    std::size_t m_pixelBytes = 0;
    bool m_topDown = false;
    std::uint32_t m_state = 1;
};

}  // namespace picture
