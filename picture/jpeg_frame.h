#pragma once

#include <array>
#include <cstdint>

#include "picture/jpeg_huffman.h"

namespace picture::jpeg {

struct FrameComponent {
    int id = 0;
    int h = 1;   // horizontal sampling factor
    int v = 1;   // vertical sampling factor
    int tq = 0;  // quantisation table
    int td = 0;  // DC Huffman table, from the scan header
    int ta = 0;  // AC Huffman table, from the scan header
};

struct Frame {
    bool present = false;
    int precision = 8;
    int width = 0;   // X, samples per line
    int height = 0;  // Y, number of lines
    int componentCount = 0;
    std::array<FrameComponent, 3> components{};
    int hMax = 1;
    int vMax = 1;
    bool storedAsRgb = false;  // three components that are R, G, B, not Y, Cb, Cr
};

struct QuantisationTable {
    bool defined = false;
    std::array<std::uint16_t, 64> values{};  // natural order
};

// Everything a scan needs besides the frame.
struct CodingTables {
    std::array<QuantisationTable, 4> quantisation{};
    std::array<std::array<HuffmanTable, 4>, 2> huffman{};  // [0 DC, 1 AC][destination]
    int restartInterval = 0;                               // MCUs, 0 = none
};

}  // namespace picture::jpeg
