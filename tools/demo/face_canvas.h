#pragma once

#include <cstdint>
#include <vector>

namespace kaocg_demo {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
};

// The visible area of a face texture, painted with shapes in face units: (0, 0) is the
// top-left corner of the visible area and (1, 1) its bottom-right corner, whatever its size,
// so one description of a face serves all three sizes. Pixels are opaque once painted.
class FaceCanvas {
public:
    FaceCanvas(std::uint32_t side, std::uint32_t visibleWidth, std::uint32_t visibleHeight);

    void Ellipse(double cx, double cy, double rx, double ry, Rgb colour);
    // The part of an ellipse above the line v = cut (below it when below is set).
    void EllipseCut(double cx, double cy, double rx, double ry, double cut, bool below, Rgb colour);
    // A stroke of the given thickness (in units of the visible width) from (u0, v0) to (u1, v1).
    void Stroke(double u0, double v0, double u1, double v1, double thickness, Rgb colour);
    void Rectangle(double u0, double v0, double u1, double v1, Rgb colour);
    void VerticalGradient(Rgb top, Rgb bottom);
    // A rectangle in whole pixels, for the number plate.
    void PixelRectangle(std::uint32_t x, std::uint32_t y, std::uint32_t width, std::uint32_t height,
                        Rgb colour);

    std::vector<std::uint8_t> Take() { return std::move(m_rgba); }

private:
    template <typename Inside>
    void Fill(double u0, double v0, double u1, double v1, Rgb colour, Inside inside);
    void Put(std::uint32_t x, std::uint32_t y, Rgb colour);

    std::uint32_t m_side;
    std::uint32_t m_width;
    std::uint32_t m_height;
    std::vector<std::uint8_t> m_rgba;
};

}  // namespace kaocg_demo
