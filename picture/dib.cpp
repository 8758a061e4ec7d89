#include "picture/dib.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "picture/buffer.h"

namespace picture {

namespace {

BITMAPINFOHEADER BasicHeader(std::int32_t width, std::int32_t height, std::uint16_t bitCount) {
    BITMAPINFOHEADER header;
    header.biSize = kInfoHeaderSize;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = bitCount;
    return header;
}

std::uint64_t StrideOf(const BITMAPINFOHEADER& header) {
    return RowStride(header.biBitCount, static_cast<std::uint32_t>(header.biWidth));
}

}  // namespace

CDIB::CDIB(CDIB&& other) noexcept {
    *this = std::move(other);
}

CDIB& CDIB::operator=(CDIB&& other) noexcept {
    if (this != &other) {
        // A moved vector keeps its block, so a pointer into the owned buffer stays valid.
        m_header = std::exchange(other.m_header, BITMAPINFOHEADER{});
        m_colours = std::move(other.m_colours);
        m_owned = std::move(other.m_owned);
        m_pixels = std::exchange(other.m_pixels, nullptr);
        m_pixelBytes = std::exchange(other.m_pixelBytes, 0);
        m_topDown = std::exchange(other.m_topDown, false);
        m_state = std::exchange(other.m_state, 1);
        other.m_colours.clear();
        other.m_owned.clear();
    }
    return *this;
}

void CDIB::Take(const BITMAPINFOHEADER& header, std::vector<RGBQUAD> colours, bool topDown,
                std::vector<std::uint8_t> owned, std::uint8_t* external, std::uint32_t state) {
    m_header = header;
    m_colours = std::move(colours);
    m_owned = std::move(owned);
    m_pixels = external != nullptr ? external : (m_owned.empty() ? nullptr : m_owned.data());
    m_pixelBytes = m_pixels != nullptr ? static_cast<std::size_t>(PixelBytes(header)) : 0;
    m_topDown = topDown;
    m_state = state;
}

bool CDIB::Create(const CDIB& source) {
    if (&source == this) {
        return true;
    }
    if (!source.IsValid()) {
        return false;
    }
    std::vector<std::uint8_t> pixels;
    if (source.m_pixels != nullptr) {
        auto buffer = ZeroedBuffer(source.m_pixelBytes);
        if (!buffer) {
            return false;
        }
        pixels = std::move(*buffer);
        std::copy_n(source.m_pixels, source.m_pixelBytes, pixels.begin());
    }
    Take(source.m_header, source.m_colours, source.m_topDown, std::move(pixels), nullptr,
         source.m_state);
    return true;
}

bool CDIB::Create(const BITMAPINFOHEADER& header, std::span<const std::uint8_t> pixels,
                  std::span<const RGBQUAD> colours) {
    BITMAPINFOHEADER stored = header;
    bool topDown = false;
    if (!NormaliseHeader(stored, topDown) || pixels.size() < PixelBytes(stored)) {
        return false;
    }
    stored.biSize = kInfoHeaderSize;
    std::vector<RGBQUAD> table(ColourTableSize(stored));
    std::copy_n(colours.begin(), std::min(colours.size(), table.size()), table.begin());
    auto buffer = ZeroedBuffer(PixelBytes(stored));
    if (!buffer) {
        return false;
    }
    std::copy_n(pixels.begin(), buffer->size(), buffer->begin());
    Take(stored, std::move(table), topDown, std::move(*buffer), nullptr, 1);
    return true;
}

bool CDIB::LoadFromResource(int /*resourceId*/) {
    return false;
}

std::optional<CDIB> CDIB::CreateHeader(std::int32_t width, std::int32_t height,
                                       std::uint32_t headerSize) {
    BITMAPINFOHEADER header = BasicHeader(width, height, 8);
    bool topDown = false;
    if (!NormaliseHeader(header, topDown)) {
        return std::nullopt;
    }
    const std::uint32_t entries =
        headerSize > kInfoHeaderSize ? std::min((headerSize - kInfoHeaderSize) / 4, 256u) : 0;
    CDIB picture;
    picture.Take(header, std::vector<RGBQUAD>(entries), topDown, {}, nullptr, 0);
    return picture;
}

std::optional<CDIB> CDIB::CreateWithPixels(std::int32_t width, std::int32_t height,
                                           std::vector<std::uint8_t> pixels,
                                           std::uint16_t bitCount) {
    BITMAPINFOHEADER header = BasicHeader(width, height == INT32_MIN ? 0 : -height, bitCount);
    bool topDown = false;
    if (!NormaliseHeader(header, topDown)) {
        return std::nullopt;
    }
    // A buffer of the picture's full size, padding included, so every row is addressable.
    const std::uint64_t size = PixelBytes(header);
    if (pixels.empty()) {
        auto buffer = ZeroedBuffer(size);
        if (!buffer) {
            return std::nullopt;
        }
        pixels = std::move(*buffer);
    } else if (pixels.size() < size) {
        return std::nullopt;
    }
    CDIB picture;
    picture.Take(header, std::vector<RGBQUAD>(ColourTableSize(header)), topDown, std::move(pixels),
                 nullptr, 0);
    return picture;
}

std::optional<CDIB> CDIB::WrapPixels(std::int32_t width, std::int32_t height,
                                     std::span<std::uint8_t> pixels, std::uint16_t bitCount) {
    BITMAPINFOHEADER header = BasicHeader(width, height == INT32_MIN ? 0 : -height, bitCount);
    bool topDown = false;
    if (!NormaliseHeader(header, topDown) || pixels.data() == nullptr ||
        pixels.size() < PixelBytes(header)) {
        return std::nullopt;
    }
    CDIB picture;
    picture.Take(header, std::vector<RGBQUAD>(ColourTableSize(header)), topDown, {}, pixels.data(),
                 0);
    return picture;
}

std::uint64_t CDIB::Stride() const {
    return IsValid() ? StrideOf(m_header) : 0;
}

std::uint64_t CDIB::ByteSize() const {
    return IsValid() ? PixelBytes(m_header) : 0;
}

const std::uint8_t* CDIB::PixelAddress(std::int32_t x, std::int32_t y) const {
    if (m_pixels == nullptr || x < 0 || y < 0 || x >= m_header.biWidth || y >= m_header.biHeight) {
        return nullptr;
    }
    const std::uint64_t row = m_topDown ? y : m_header.biHeight - 1 - y;
    const std::uint64_t column = static_cast<std::uint64_t>(m_header.biBitCount) * x / 8;
    return m_pixels + row * Stride() + column;
}

std::uint8_t* CDIB::PixelAddress(std::int32_t x, std::int32_t y) {
    return const_cast<std::uint8_t*>(std::as_const(*this).PixelAddress(x, y));
}

bool CDIB::Fill(std::uint32_t value) {
    if (m_pixels == nullptr) {
        return false;
    }
    const std::uint32_t bits = m_header.biBitCount;
    if (bits <= 8) {
        const std::uint8_t byte = bits == 4 ? static_cast<std::uint8_t>((value & 0x0F) * 0x11)
                                            : static_cast<std::uint8_t>(value);
        std::memset(m_pixels, byte, m_pixelBytes);
        return true;
    }
    const std::uint32_t bytesPerPixel = bits / 8;
    std::uint8_t pattern[4];
    for (std::uint32_t i = 0; i < 4; ++i) {
        pattern[i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
    const std::uint64_t stride = Stride();
    for (std::int32_t row = 0; row < m_header.biHeight; ++row) {
        std::uint8_t* p = m_pixels + row * stride;
        for (std::int32_t x = 0; x < m_header.biWidth; ++x, p += bytesPerPixel) {
            std::memcpy(p, pattern, bytesPerPixel);
        }
    }
    return true;
}

}  // namespace picture
