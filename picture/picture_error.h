#pragma once

#include <string>

namespace picture {

// A picture file that cannot be read: the string-table id of the message and the full text the
// user interface shows for it (with the file's path in front where the message wants one).
struct PictureError {
    int stringId = 0;
    std::wstring text;
    // Set when the file is sound but of a kind the reader leaves to another one (a progressive
    // JPEG, a compressed BMP), rather than damaged.
    bool otherKind = false;
};

}  // namespace picture
