#pragma once

#include <string>

#include "kaocg/face_size.h"
#include "picture/dib.h"

namespace kaocg_tool {

// Reads a BMP or JPEG file with the editor's own readers into the 24-bit picture the load-image
// dialog would show, turned upright by its EXIF orientation. Throws ToolError with the
// dialog's message (on one line) when the file cannot be read.
picture::CDIB ReadUprightPicture(const std::string& path);

// The same for a file that already is a face: throws ToolError unless the upright picture is
// exactly the face's size, since registering crops and scales nothing. `sizeName` names the
// face in the message.
picture::CDIB ReadFaceFile(const std::string& path, const kaocg_func::FaceDimensions& size,
                           const std::string& sizeName);

}  // namespace kaocg_tool
