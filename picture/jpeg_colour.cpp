#include "picture/jpeg_colour.h"

namespace picture::jpeg {
namespace {

std::uint8_t ClampToByte(double value) {
    if (value < 0.0) {
        return 0;
    }
    if (value > 255.0) {
        return 255;
    }
    return static_cast<std::uint8_t>(value);
}

std::uint8_t ClampToByte(std::int32_t value) {
    return static_cast<std::uint8_t>(value < 0 ? 0 : (value > 255 ? 255 : value));
}

}  // namespace

void ConvertColourRow(SampleRow y, SampleRow cb, SampleRow cr, int count, RgbRow out) {
    for (int q = 0; q < count; ++q) {
        const double luma = y.samples[y.columnOfPixel[q]];
        const double blueDifference = cb.samples[cb.columnOfPixel[q]] - 128;
        const double redDifference = cr.samples[cr.columnOfPixel[q]] - 128;
        out.red[q] = ClampToByte(luma + 1.402 * redDifference);
        out.green[q] = ClampToByte(luma - 0.3441 * blueDifference - 0.7139 * redDifference);
        out.blue[q] = ClampToByte(luma + 1.7718 * blueDifference);
    }
}

void ConvertGreyRow(SampleRow y, int count, RgbRow out) {
    for (int q = 0; q < count; ++q) {
        const std::uint8_t value = ClampToByte(y.samples[y.columnOfPixel[q]]);
        out.red[q] = value;
        out.green[q] = value;
        out.blue[q] = value;
    }
}

}  // namespace picture::jpeg
