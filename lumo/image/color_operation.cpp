#include "lumo/image/color_operation.h"

#include <limits>

namespace lumo {

FPaletteReduce::FPaletteReduce(const std::vector<CClassicImagePixel4>& palette, bool withAlpha)
    : m_withAlpha(withAlpha) {
    m_palette.reserve(palette.size());
    for (const CClassicImagePixel4& color : palette) {
        m_palette.push_back({ByteToFloat(color.r), ByteToFloat(color.g), ByteToFloat(color.b),
                             ByteToFloat(color.a)});
    }
}

bool FPaletteReduce::Operate(const CImagePixel4& in, CImagePixel4& out) {
    out = in;
    if (m_palette.empty()) {
        return false;
    }
    const CImagePixel4* nearest = nullptr;
    float best = std::numeric_limits<float>::max();
    for (const CImagePixel4& entry : m_palette) {
        const float dr = in.r - entry.r;
        const float dg = in.g - entry.g;
        const float db = in.b - entry.b;
        float distance = dr * dr + dg * dg + db * db;
        if (m_withAlpha) {
            const float da = in.a - entry.a;
            distance += da * da;
        }
        if (distance < best) {  // strictly: the first of equally near entries stays
            best = distance;
            nearest = &entry;
        }
    }
    if (nearest != nullptr) {
        out.r = nearest->r;
        out.g = nearest->g;
        out.b = nearest->b;
        if (m_withAlpha) {
            out.a = nearest->a;
        }
    }
    return true;
}

bool FPaletteReduce::Operate(const CClassicImagePixel4& in, CClassicImagePixel4& out) {
    out = in;
    const CImagePixel4 color{ByteToFloat(in.r), ByteToFloat(in.g), ByteToFloat(in.b),
                             ByteToFloat(in.a)};
    CImagePixel4 reduced;
    if (!Operate(color, reduced)) {
        return false;
    }
    out = {FloatToByte(reduced.r), FloatToByte(reduced.g), FloatToByte(reduced.b),
           FloatToByte(reduced.a)};
    return true;
}

}  // namespace lumo
