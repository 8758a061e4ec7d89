#include "picture/picture_reader.h"

#include <string>

#include "picture/bmp_dialog_reader.h"
#include "picture/jpeg_dialog_reader.h"
#include "picture/library_readers.h"
#include "resources/string_table.h"

namespace picture {
namespace {

PictureError WithPath(int id, std::wstring_view path) {
    std::wstring text(path);
    text += L'\n';
    text += resources::LoadString(id);
    return {id, std::move(text)};
}

PictureRead Accepted(CDIB picture, PictureKind kind, bool endedEarly, std::wstring_view path) {
    PictureRead read{std::move(picture), kind, std::nullopt, false};
    if (endedEarly) {
        read.warning = WithPath(resources::IDS_PICTURE_ENDS_EARLY, path);
    }
    return read;
}

// Libraries are C code or C++ of their own; nothing they throw may leave this library.
std::optional<library::Decoded> Decode(library::Reader reader, std::span<const std::uint8_t> file) {
    try {
        return reader(file);
    } catch (...) {
        return std::nullopt;
    }
}

// `refusal` is what the user is told when no library is built in for the kind; `failure`
// when the library cannot read the file either.
PictureReadResult ReadWithLibrary(PictureKind kind, std::span<const std::uint8_t> file,
                                  std::wstring_view path, PictureError refusal,
                                  PictureError failure) {
    const library::Reader reader = library::ReaderFor(kind);
    if (reader == nullptr) {
        return refusal;
    }
    const std::optional<library::Decoded> decoded = Decode(reader, file);
    if (!decoded) {
        return failure;
    }
    std::optional<CDIB> picture = library::ToDib(*decoded);
    if (!picture) {
        return failure;
    }
    PictureRead read = Accepted(std::move(*picture), kind, decoded->endedEarly, path);
    read.upright = decoded->upright;
    return read;
}

PictureReadResult ReadBmp(std::span<const std::uint8_t> file, std::wstring_view path) {
    BmpReadResult own = ReadBmpForDialog(file, path);
    if (CDIB* picture = std::get_if<CDIB>(&own)) {
        return Accepted(std::move(*picture), PictureKind::kBmp, false, path);
    }
    PictureError& error = std::get<PictureError>(own);
    if (!error.otherKind) {
        return error;
    }
    return ReadWithLibrary(PictureKind::kBmp, file, path, error, error);
}

// The own decoder also searches for the start of a picture past leading bytes, which is what
// it makes of a file of no known kind; such a file it cannot read is no picture at all.
PictureReadResult ReadJpeg(std::span<const std::uint8_t> file, std::wstring_view path, bool known) {
    bool endedEarly = false;
    JpegReadResult own = ReadJpegForDialog(file, path, &endedEarly);
    if (CDIB* picture = std::get_if<CDIB>(&own)) {
        return Accepted(std::move(*picture), PictureKind::kJpeg, endedEarly, path);
    }
    PictureError& error = std::get<PictureError>(own);
    if (!known) {
        return WithPath(resources::IDS_PICTURE_UNKNOWN, path);
    }
    if (!error.otherKind) {
        return error;
    }
    return ReadWithLibrary(PictureKind::kJpeg, file, path, error, error);
}

}  // namespace

PictureReadResult ReadPicture(std::span<const std::uint8_t> file, std::wstring_view path) {
    const PictureKind kind = KindOfContent(file);
    switch (kind) {
        case PictureKind::kBmp:
            return ReadBmp(file, path);
        case PictureKind::kJpeg:
            return ReadJpeg(file, path, true);
        case PictureKind::kUnknown:
            return ReadJpeg(file, path, false);
        default:
            return ReadWithLibrary(kind, file, path, WithPath(resources::IDS_PICTURE_UNKNOWN, path),
                                   WithPath(resources::IDS_PICTURE_DECODE_FAILED, path));
    }
}

}  // namespace picture
