#pragma once

#include <cstdint>

namespace picture::jpeg {

// One row of a component's samples within an MCU and, for each pixel of the MCU row, the
// column of the sample it takes: a component sampled below the largest factor covers several
// pixels with each sample.
struct SampleRow {
    const std::int32_t* samples;
    const std::uint8_t* columnOfPixel;
};

struct RgbRow {
    std::uint8_t* red;
    std::uint8_t* green;
    std::uint8_t* blue;
};

// Y, Cb, Cr -> R, G, B with the format's constants, in double precision, clamped to 0 ... 255
// and truncated toward zero.
void ConvertColourRow(SampleRow y, SampleRow cb, SampleRow cr, int count, RgbRow out);

// A grey picture: R = G = B = Y, clamped.
void ConvertGreyRow(SampleRow y, int count, RgbRow out);

}  // namespace picture::jpeg
