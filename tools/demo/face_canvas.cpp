#include "tools/demo/face_canvas.h"

#include <algorithm>
#include <cmath>

namespace kaocg_demo {
namespace {

std::uint32_t PixelBound(double unit, std::uint32_t extent) {
    return static_cast<std::uint32_t>(std::clamp(unit * extent, 0.0, double(extent)));
}

}  // namespace

FaceCanvas::FaceCanvas(std::uint32_t side, std::uint32_t visibleWidth, std::uint32_t visibleHeight)
    : m_side(side),
      m_width(std::min(visibleWidth, side)),
      m_height(std::min(visibleHeight, side)),
      m_rgba(std::size_t{side} * side * 4, 0) {}

void FaceCanvas::Put(std::uint32_t x, std::uint32_t y, Rgb colour) {
    std::uint8_t* p = &m_rgba[(std::size_t{y} * m_side + x) * 4];
    p[0] = colour.r;
    p[1] = colour.g;
    p[2] = colour.b;
    p[3] = 255;
}

// Paints the pixels of the box whose centres the shape covers.
template <typename Inside>
void FaceCanvas::Fill(double u0, double v0, double u1, double v1, Rgb colour, Inside inside) {
    const std::uint32_t x0 = PixelBound(u0, m_width);
    const std::uint32_t x1 = std::min(m_width, PixelBound(u1, m_width) + 1);
    const std::uint32_t y0 = PixelBound(v0, m_height);
    const std::uint32_t y1 = std::min(m_height, PixelBound(v1, m_height) + 1);
    for (std::uint32_t y = y0; y < y1; ++y) {
        const double v = (y + 0.5) / m_height;
        for (std::uint32_t x = x0; x < x1; ++x) {
            if (inside((x + 0.5) / m_width, v)) {
                Put(x, y, colour);
            }
        }
    }
}

void FaceCanvas::Ellipse(double cx, double cy, double rx, double ry, Rgb colour) {
    Fill(cx - rx, cy - ry, cx + rx, cy + ry, colour, [=](double u, double v) {
        const double du = (u - cx) / rx;
        const double dv = (v - cy) / ry;
        return du * du + dv * dv <= 1.0;
    });
}

void FaceCanvas::EllipseCut(double cx, double cy, double rx, double ry, double cut, bool below,
                            Rgb colour) {
    Fill(cx - rx, cy - ry, cx + rx, cy + ry, colour, [=](double u, double v) {
        const double du = (u - cx) / rx;
        const double dv = (v - cy) / ry;
        return du * du + dv * dv <= 1.0 && (below ? v >= cut : v <= cut);
    });
}

void FaceCanvas::Stroke(double u0, double v0, double u1, double v1, double thickness, Rgb colour) {
    // Distances are measured in pixels of the visible area, so strokes keep their width on
    // the taller medium face.
    const double w = m_width;
    const double h = m_height;
    const double dx = (u1 - u0) * w;
    const double dy = (v1 - v0) * h;
    const double length2 = std::max(dx * dx + dy * dy, 1e-9);
    const double half = std::max(thickness * w / 2, 0.75);
    const double pad = thickness;
    Fill(std::min(u0, u1) - pad, std::min(v0, v1) - pad, std::max(u0, u1) + pad,
         std::max(v0, v1) + pad, colour, [=](double u, double v) {
             const double px = (u - u0) * w;
             const double py = (v - v0) * h;
             const double t = std::clamp((px * dx + py * dy) / length2, 0.0, 1.0);
             return std::hypot(px - t * dx, py - t * dy) <= half;
         });
}

void FaceCanvas::Rectangle(double u0, double v0, double u1, double v1, Rgb colour) {
    Fill(u0, v0, u1, v1, colour,
         [=](double u, double v) { return u >= u0 && u <= u1 && v >= v0 && v <= v1; });
}

void FaceCanvas::VerticalGradient(Rgb top, Rgb bottom) {
    for (std::uint32_t y = 0; y < m_height; ++y) {
        const double t = m_height > 1 ? double(y) / (m_height - 1) : 0.0;
        const auto mix = [t](std::uint8_t a, std::uint8_t b) {
            return static_cast<std::uint8_t>(std::lround(a + (b - a) * t));
        };
        const Rgb colour{mix(top.r, bottom.r), mix(top.g, bottom.g), mix(top.b, bottom.b)};
        for (std::uint32_t x = 0; x < m_width; ++x) {
            Put(x, y, colour);
        }
    }
}

void FaceCanvas::PixelRectangle(std::uint32_t x, std::uint32_t y, std::uint32_t width,
                                std::uint32_t height, Rgb colour) {
    const std::uint32_t x1 = std::min(m_width, x + width);
    const std::uint32_t y1 = std::min(m_height, y + height);
    for (std::uint32_t py = y; py < y1; ++py) {
        for (std::uint32_t px = x; px < x1; ++px) {
            Put(px, py, colour);
        }
    }
}

}  // namespace kaocg_demo
