#include "tools/kaocg-tool/face_files.h"

#include <cstdint>
#include <iostream>
#include <span>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "lumo/io/utf.h"
#include "picture/jpeg_decoder.h"
#include "picture/orientation.h"
#include "picture/upright_picture.h"
#include "tools/kaocg-tool/file_io.h"
#include "tools/kaocg-tool/tool_error.h"

namespace kaocg_tool {
namespace {

using Size = std::pair<std::int32_t, std::int32_t>;

std::int32_t ReadI32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::int32_t>(std::uint32_t{bytes[at]} | std::uint32_t{bytes[at + 1]} << 8 |
                                     std::uint32_t{bytes[at + 2]} << 16 |
                                     std::uint32_t{bytes[at + 3]} << 24);
}

// The editor's message puts the path on a line of its own above the text.
std::string OneLine(const std::wstring& text) {
    std::string line = lumo::WideToUtf8(text);
    for (char& c : line)
        c = c == '\n' ? ' ' : c;
    return line;
}

bool IsBmp(std::span<const std::uint8_t> bytes) {
    return bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M';
}

bool IsJpeg(std::span<const std::uint8_t> bytes) {
    return bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xD8;
}

// The readers widen a picture to whole groups of pixels, so the size the file itself states is
// the one compared, upright. Only called once the reader accepted the file.
Size StatedSize(std::span<const std::uint8_t> bytes) {
    if (IsBmp(bytes)) {
        const std::int32_t height = ReadI32(bytes, 22);
        return {ReadI32(bytes, 18), height < 0 ? -height : height};
    }
    picture::JpegDecoder decoder;
    decoder.ReadHeaders(bytes.data(), bytes.size());
    // Orientations 5 to 8 are stored a quarter turn away from upright.
    if (picture::ReadJpegExifOrientation(bytes) >= 5)
        return {decoder.Height(), decoder.Width()};
    return {decoder.Width(), decoder.Height()};
}

picture::CDIB Decode(std::span<const std::uint8_t> bytes, const std::string& path) {
    picture::PictureReadResult result = picture::ReadPictureUpright(bytes, lumo::Utf8ToWide(path));
    if (const auto* error = std::get_if<picture::PictureError>(&result))
        Fail(OneLine(error->text));
    picture::PictureRead& read = std::get<picture::PictureRead>(result);
    if (read.warning)
        std::cerr << "warning: " << OneLine(read.warning->text) << std::endl;
    return std::move(read.picture);
}

}  // namespace

picture::CDIB ReadUprightPicture(const std::string& path) {
    return Decode(ReadWholeFile(path), path);
}

picture::CDIB ReadFaceFile(const std::string& path, const kaocg_func::FaceDimensions& size,
                           const std::string& sizeName) {
    const std::vector<std::uint8_t> bytes = ReadWholeFile(path);
    // Faces are registered as they are, so their stated size must be known before decoding.
    if (!IsBmp(bytes) && !IsJpeg(bytes))
        Fail(path + ": not a BMP or JPEG picture");
    picture::CDIB face = Decode(bytes, path);
    const auto [width, height] = StatedSize(bytes);
    if (width != size.width || height != size.height) {
        Fail(path + ": " + std::to_string(width) + " x " + std::to_string(height) +
             " pixels; the " + sizeName + " face must be exactly " + std::to_string(size.width) +
             " x " + std::to_string(size.height) + " (pictures are not scaled or cropped)");
    }
    return face;
}

}  // namespace kaocg_tool
