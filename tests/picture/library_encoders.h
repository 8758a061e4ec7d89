#pragma once

#include <cstdint>
#include <vector>

#include "support/photo_picture.h"

// Pictures of every kind written in-process with the libraries that read them, so that the
// readers are tried on real files without any tool outside the tests. Each gives an empty
// file when its library is not built into the tests.
namespace picture::testing {

using Bytes = std::vector<std::uint8_t>;
using testsupport::RawPicture;

enum class JpegCoding { kProgressive, kRgb, kCmyk };

// R, G, B pictures; kCmyk stores each pixel as Adobe's inverted C, M, Y with no black, which
// reads back as the same colour.
Bytes LibjpegFile(const RawPicture& rgb, JpegCoding coding, int quality = 95);
// R, G, B, A samples.
Bytes PngFile(const RawPicture& rgba);
Bytes LosslessWebpFile(const RawPicture& rgba);
Bytes TiffFile(const RawPicture& rgb);
Bytes HeifFile(const RawPicture& rgb);

}  // namespace picture::testing
