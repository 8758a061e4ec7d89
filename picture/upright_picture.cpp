#include "picture/upright_picture.h"

#include <new>
#include <optional>

#include "picture/jpeg_segments.h"
#include "picture/orientation.h"
#include "resources/string_table.h"

namespace picture {

namespace {

// The picture without the columns right of `width`, or nothing when memory is short.
std::optional<CDIB> Narrowed(const CDIB& picture, int width) {
    std::optional<CDIB> narrow;
    try {
        narrow = CDIB::CreateWithPixels(
            width, picture.IsTopDown() ? picture.Height() : -picture.Height(), {}, 24);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    if (!narrow || !picture.CopyRect(*narrow, 0, 0, width, picture.Height(), 0, 0))
        return std::nullopt;
    return narrow;
}

}  // namespace

bool TurnUpright(CDIB& picture, std::span<const std::uint8_t> file) {
    const int orientation = ReadJpegExifOrientation(file);
    if (orientation == 1 || picture.BitCount() != 24)
        return true;
    const int statedWidth = ReadJpegFrameWidth(file);
    std::optional<CDIB> narrow;
    if (statedWidth > 0 && statedWidth < picture.Width()) {
        narrow = Narrowed(picture, statedWidth);
        if (!narrow)
            return false;
    }
    std::optional<CDIB> upright = ApplyOrientation(narrow ? *narrow : picture, orientation);
    if (!upright)
        return false;
    picture = std::move(*upright);
    return true;
}

void TurnUpright(std::variant<CDIB, PictureError>& read, std::span<const std::uint8_t> file,
                 std::wstring_view path) {
    CDIB* picture = std::get_if<CDIB>(&read);
    if (picture == nullptr || TurnUpright(*picture, file))
        return;
    std::wstring text(path);
    text += L'\n';
    text += resources::LoadString(resources::IDS_JPEG_DECODE_FAILED);
    read = PictureError{resources::IDS_JPEG_DECODE_FAILED, std::move(text)};
}

PictureReadResult ReadPictureUpright(std::span<const std::uint8_t> file, std::wstring_view path) {
    PictureReadResult result = ReadPicture(file, path);
    PictureRead* read = std::get_if<PictureRead>(&result);
    if (read == nullptr || read->upright)
        return result;
    std::variant<CDIB, PictureError> turned = std::move(read->picture);
    TurnUpright(turned, file, path);
    if (auto* error = std::get_if<PictureError>(&turned))
        return std::move(*error);
    read->picture = std::move(std::get<CDIB>(turned));
    read->upright = true;
    return result;
}

}  // namespace picture
