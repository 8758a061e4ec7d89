#pragma once

#include <string>

#include "document/registration.h"
#include "picture/dib.h"

namespace kaocg_tool {

// Reads a BMP or JPEG file of any size as the load-image dialog does. Throws ToolError with the
// dialog's message when the file is refused.
picture::CDIB ReadPictureFile(const std::string& path);

// Reads a BMP or JPEG file with the editor's own readers into the 24-bit picture the crop
// dialog would hand over. Throws ToolError unless the file is a readable picture of exactly the
// face's size: the tool crops and scales nothing. `sizeName` names the face in the message.
picture::CDIB ReadFaceFile(const std::string& path, const document::FaceSize& size,
                           const std::string& sizeName);

}  // namespace kaocg_tool
