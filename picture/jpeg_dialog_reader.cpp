#include "picture/jpeg_dialog_reader.h"

#include <new>
#include <string>
#include <vector>

#include "resources/string_table.h"

namespace picture {
namespace {

PictureError WithPath(int id, std::wstring_view path, bool otherKind) {
    std::wstring text(path);
    text += L'\n';
    text += resources::LoadString(id);
    return {id, std::move(text), otherKind};
}

// Picture row y goes to stored row height - 1 - y: the picture is bottom-up.
void InterleaveRows(const JpegDecoder& decoder, std::size_t stride, std::uint8_t* pixels) {
    const std::size_t width = static_cast<std::size_t>(decoder.Width());
    const std::size_t height = static_cast<std::size_t>(decoder.Height());
    const std::uint8_t* red = decoder.Plane(0);
    const std::uint8_t* green = decoder.Plane(1);
    const std::uint8_t* blue = decoder.Plane(2);
    for (std::size_t y = 0; y < height; ++y) {
        std::uint8_t* out = pixels + (height - 1 - y) * stride;
        const std::size_t offset = y * width;
        for (std::size_t x = 0; x < width; ++x, out += 3) {
            out[0] = blue[offset + x];
            out[1] = green[offset + x];
            out[2] = red[offset + x];
        }
    }
}

// The dialog's picture itself as the decoder's output: rows of width rounded up to 4 pixels,
// zeroed so that the added columns stay black, bottom row first, bytes B, G, R.
class DibTarget final : public jpeg::PixelTarget {
public:
    bool Prepare(int width, int height, jpeg::PixelLayout& layout) override {
        m_width = (width + 3) / 4 * 4;
        m_height = height;
        const std::size_t stride = static_cast<std::size_t>(m_width) * 3;
        try {
            m_pixels.assign(stride * static_cast<std::size_t>(height), 0);
        } catch (const std::bad_alloc&) {
            return false;
        }
        std::uint8_t* top = m_pixels.data() + (static_cast<std::size_t>(height) - 1) * stride;
        layout.origin = {top + 2, top + 1, top};
        layout.pixelStep = 3;
        layout.rowStep = -static_cast<std::ptrdiff_t>(stride);
        return true;
    }

    std::optional<CDIB> TakePicture() {
        return CDIB::CreateWithPixels(m_width, -m_height, std::move(m_pixels), 24);
    }

private:
    std::int32_t m_width = 0;
    std::int32_t m_height = 0;
    std::vector<std::uint8_t> m_pixels;
};

}  // namespace

std::optional<CDIB> DibFromPlanes(const JpegDecoder& decoder) {
    if (decoder.Plane(0) == nullptr) {
        return std::nullopt;
    }
    const std::int32_t width = (decoder.Width() + 3) / 4 * 4;
    const std::int32_t height = decoder.Height();
    const std::size_t stride = static_cast<std::size_t>(width) * 3;
    std::vector<std::uint8_t> pixels;
    try {
        pixels.assign(stride * static_cast<std::size_t>(height), 0);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    InterleaveRows(decoder, stride, pixels.data());
    return CDIB::CreateWithPixels(width, -height, std::move(pixels), 24);
}

JpegReadResult ReadJpegForDialog(std::span<const std::uint8_t> file, std::wstring_view path,
                                 bool* endedEarly) {
    JpegDecoder decoder;
    if (decoder.ReadHeaders(file.data(), file.size()) < 0) {
        return WithPath(resources::IDS_JPEG_HEADER_FAILED, path, decoder.RefusedKind());
    }
    DibTarget target;
    if (decoder.DecodeInto(target) < 0) {
        return WithPath(resources::IDS_JPEG_DECODE_FAILED, path, decoder.RefusedKind());
    }
    std::optional<CDIB> picture = target.TakePicture();
    if (!picture) {
        return WithPath(resources::IDS_JPEG_DECODE_FAILED, path, false);
    }
    if (endedEarly != nullptr) {
        *endedEarly = decoder.EndedEarly();
    }
    return std::move(*picture);
}

}  // namespace picture
