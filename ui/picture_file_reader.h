#pragma once

#include <QString>
#include <cstdint>
#include <optional>

#include "picture/bmp_dialog_reader.h"

namespace ui {

// Files larger than this are refused before they are read into memory.
constexpr std::int64_t kMaxPictureFileBytes = std::int64_t{256} * 1024 * 1024;

// A picture file the user chose: read whole, and decoded as a BMP when it starts with "BM",
// as a JPEG otherwise. Gives the picture or the message to show; nothing when the file cannot
// be opened or read, which the load dialog passes over in silence.
std::optional<picture::BmpReadResult> ReadPictureFile(const QString& path);

}  // namespace ui
