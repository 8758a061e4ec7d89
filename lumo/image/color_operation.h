#pragma once

#include <vector>

#include "lumo/image/pixel.h"

namespace lumo {

// An operation that every colour of a conversion passes through.
class FOperateColorBase {
public:
    virtual ~FOperateColorBase() = default;
    virtual bool Operate(const CClassicImagePixel4& in, CClassicImagePixel4& out) = 0;
    virtual bool Operate(const CImagePixel4& in, CImagePixel4& out) = 0;
};

// Leaves the output exactly as the caller left it.
class FNoOperateColor : public FOperateColorBase {
public:
    bool Operate(const CClassicImagePixel4&, CClassicImagePixel4&) override { return true; }
    bool Operate(const CImagePixel4&, CImagePixel4&) override { return true; }
};

// Colour reductions, which map a colour to one of a set.
class FReduceColorBase : public FOperateColorBase {};

// Replaces a colour by the nearest of a palette (squared distance over R, G, B and, when asked,
// A); the first of equally near entries wins.
class FPaletteReduce : public FReduceColorBase {
public:
    FPaletteReduce(const std::vector<CClassicImagePixel4>& palette, bool withAlpha);
    bool Operate(const CClassicImagePixel4& in, CClassicImagePixel4& out) override;
    bool Operate(const CImagePixel4& in, CImagePixel4& out) override;

private:
    std::vector<CImagePixel4> m_palette;
    bool m_withAlpha;
};

}  // namespace lumo
