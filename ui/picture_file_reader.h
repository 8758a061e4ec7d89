#pragma once

#include <QString>
#include <cstdint>
#include <optional>

#include "picture/picture_reader.h"

namespace ui {

// Files larger than this are refused before they are read into memory.
constexpr std::int64_t kMaxPictureFileBytes = std::int64_t{256} * 1024 * 1024;

// A picture file the user chose: read whole, and decoded by the reader its content calls for.
// Gives the picture (with a warning to show first, if any) or the message to show; nothing
// when the file cannot be opened or read, which the load dialog passes over in silence.
std::optional<picture::PictureReadResult> ReadPictureFile(const QString& path);

}  // namespace ui
