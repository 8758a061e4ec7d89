#include "tools/demo/face_painter.h"

#include <algorithm>
#include <array>

#include "tools/demo/digit_font.h"
#include "tools/demo/face_canvas.h"

namespace kaocg_demo {
namespace {

// What sets one face apart from the next; every field follows from the face number.
struct Features {
    Rgb backTop, backBottom, skin, hair, clothes;
    int hairStyle = 0;  // 0 cap, 1 long, 2 topknot, 3 helmet
    int beard = 0;      // 0 none, 1 moustache, 2 full, 3 goatee
    double headRx = 0.25, headRy = 0.3;
    double eyeSpacing = 0.1, eyeSize = 0.04;
    double browTilt = 0.0, mouthWidth = 0.08;
    bool smile = false;
};

constexpr std::array<Rgb, 8> kBackgrounds{{{70, 96, 140},
                                           {120, 64, 60},
                                           {64, 110, 80},
                                           {140, 120, 70},
                                           {96, 72, 128},
                                           {60, 120, 130},
                                           {130, 90, 50},
                                           {90, 90, 100}}};
constexpr std::array<Rgb, 5> kSkins{
    {{240, 205, 170}, {225, 185, 145}, {200, 160, 120}, {175, 130, 95}, {245, 215, 190}}};
constexpr std::array<Rgb, 6> kHairs{
    {{25, 20, 20}, {70, 45, 30}, {140, 140, 140}, {225, 225, 220}, {120, 60, 30}, {45, 40, 60}}};
constexpr std::array<Rgb, 6> kClothes{
    {{150, 30, 30}, {30, 60, 130}, {40, 100, 50}, {180, 150, 40}, {90, 40, 110}, {50, 50, 50}}};

// A well-mixed 64-bit hash, so neighbouring numbers look unrelated.
std::uint64_t Mix(std::uint64_t x) {
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

// Takes the next pick from the hash: a whole number below count.
std::size_t Pick(std::uint64_t& bits, std::size_t count) {
    const std::size_t value = static_cast<std::size_t>(bits % count);
    bits /= count;
    return value;
}

double Between(std::uint64_t& bits, double low, double high) {
    return low + (high - low) * static_cast<double>(Pick(bits, 16)) / 15.0;
}

Rgb Darker(Rgb c, int percent) {
    const auto scale = [percent](std::uint8_t v) {
        return static_cast<std::uint8_t>(v * (100 - percent) / 100);
    };
    return {scale(c.r), scale(c.g), scale(c.b)};
}

Features FeaturesOf(std::int32_t faceNumber) {
    std::uint64_t bits = Mix(static_cast<std::uint64_t>(static_cast<std::int64_t>(faceNumber)));
    Features f;
    const Rgb back = kBackgrounds[Pick(bits, kBackgrounds.size())];
    f.backTop = back;
    f.backBottom = Darker(back, 45);
    f.skin = kSkins[Pick(bits, kSkins.size())];
    f.hair = kHairs[Pick(bits, kHairs.size())];
    f.clothes = kClothes[Pick(bits, kClothes.size())];
    f.hairStyle = static_cast<int>(Pick(bits, 4));
    f.beard = static_cast<int>(Pick(bits, 4));
    f.headRx = Between(bits, 0.21, 0.27);
    f.headRy = Between(bits, 0.26, 0.31);
    f.eyeSpacing = Between(bits, 0.08, 0.12);
    f.eyeSize = Between(bits, 0.03, 0.05);
    f.browTilt = Between(bits, -0.03, 0.03);
    f.mouthWidth = Between(bits, 0.05, 0.1);
    f.smile = Pick(bits, 2) == 1;
    return f;
}

constexpr double kHeadX = 0.5;
constexpr double kHeadY = 0.44;

void PaintBody(FaceCanvas& canvas, const Features& f) {
    if (f.hairStyle == 1) {  // long hair falls behind the head and the shoulders
        canvas.Ellipse(kHeadX, kHeadY + 0.08, f.headRx + 0.07, f.headRy + 0.1, f.hair);
    }
    canvas.Ellipse(0.5, 1.02, 0.44, 0.26, f.clothes);
    canvas.Stroke(0.5, 0.78, 0.5, 0.95, 0.02, Darker(f.clothes, 40));
    canvas.Rectangle(0.45, kHeadY + f.headRy - 0.05, 0.55, 0.8, Darker(f.skin, 12));
    canvas.Ellipse(kHeadX - f.headRx, kHeadY + 0.02, 0.035, 0.06, Darker(f.skin, 8));
    canvas.Ellipse(kHeadX + f.headRx, kHeadY + 0.02, 0.035, 0.06, Darker(f.skin, 8));
    canvas.Ellipse(kHeadX, kHeadY, f.headRx, f.headRy, f.skin);
}

void PaintHair(FaceCanvas& canvas, const Features& f) {
    const double top = kHeadY - f.headRy;
    const double hairline = kHeadY - f.headRy * 0.45;
    const Rgb cap = f.hairStyle == 3 ? Rgb{150, 150, 160} : f.hair;
    canvas.EllipseCut(kHeadX, kHeadY, f.headRx + 0.015, f.headRy + 0.02, hairline, false, cap);
    if (f.hairStyle == 2) {
        canvas.Ellipse(kHeadX, top - 0.035, 0.055, 0.05, f.hair);
    } else if (f.hairStyle == 3) {  // a helmet with a brim and a crest
        canvas.Rectangle(kHeadX - f.headRx - 0.04, hairline - 0.02, kHeadX + f.headRx + 0.04,
                         hairline + 0.015, Darker(cap, 30));
        canvas.Stroke(kHeadX, top - 0.08, kHeadX, top + 0.02, 0.03, {200, 40, 40});
    }
}

void PaintFeatures(FaceCanvas& canvas, const Features& f) {
    const double eyeY = kHeadY - 0.01;
    for (const double side : {-1.0, 1.0}) {
        const double x = kHeadX + side * f.eyeSpacing;
        canvas.Ellipse(x, eyeY, f.eyeSize, f.eyeSize * 0.6, {250, 250, 245});
        canvas.Ellipse(x, eyeY, f.eyeSize * 0.45, f.eyeSize * 0.45, {30, 25, 20});
        const double browY = eyeY - f.eyeSize - 0.025;
        canvas.Stroke(x - 0.04, browY + side * f.browTilt, x + 0.04, browY - side * f.browTilt,
                      0.018, Darker(f.hair, 20));
    }
    canvas.Stroke(kHeadX, eyeY + 0.02, kHeadX - 0.015, eyeY + 0.1, 0.015, Darker(f.skin, 25));
    const double mouthY = kHeadY + f.headRy * 0.55;
    const Rgb lips{150, 60, 60};
    if (f.smile) {
        canvas.EllipseCut(kHeadX, mouthY - 0.02, f.mouthWidth, 0.04, mouthY, true, lips);
    } else {
        canvas.Stroke(kHeadX - f.mouthWidth, mouthY, kHeadX + f.mouthWidth, mouthY, 0.02, lips);
    }
}

void PaintBeard(FaceCanvas& canvas, const Features& f) {
    const double mouthY = kHeadY + f.headRy * 0.55;
    const Rgb beard = Darker(f.hair, 10);
    switch (f.beard) {
        case 1:
            canvas.Stroke(kHeadX - f.mouthWidth, mouthY - 0.035, kHeadX + f.mouthWidth,
                          mouthY - 0.035, 0.025, beard);
            break;
        case 2:
            canvas.EllipseCut(kHeadX, kHeadY + 0.02, f.headRx + 0.01, f.headRy + 0.06,
                              mouthY + 0.03, true, beard);
            break;
        case 3:
            canvas.Ellipse(kHeadX, kHeadY + f.headRy + 0.01, 0.04, 0.06, beard);
            break;
        default:
            break;
    }
}

void PaintLabel(FaceCanvas& canvas, const NumberLabel& label) {
    if (label.digits.empty()) {
        return;
    }
    canvas.PixelRectangle(label.plateX, label.plateY, label.plateWidth, label.plateHeight,
                          {kPlateGrey, kPlateGrey, kPlateGrey});
    const Rgb ink{kDigitGrey, kDigitGrey, kDigitGrey};
    for (std::size_t i = 0; i < label.digits.size(); ++i) {
        const int digit = label.digits[i] - '0';
        const std::uint32_t left =
            label.x + static_cast<std::uint32_t>(i) * kGlyphAdvance * label.scale;
        for (int cy = 0; cy < kGlyphHeight; ++cy) {
            for (int cx = 0; cx < kGlyphWidth; ++cx) {
                if (GlyphCell(digit, cx, cy)) {
                    canvas.PixelRectangle(left + cx * label.scale, label.y + cy * label.scale,
                                          label.scale, label.scale, ink);
                }
            }
        }
    }
}

std::uint32_t RoundUp4(std::uint32_t v) {
    return (v + 3) / 4 * 4;
}
std::uint32_t RoundDown4(std::uint32_t v) {
    return v / 4 * 4;
}

}  // namespace

FaceGeometry FaceGeometryOf(int size) {
    switch (size) {
        case 1:
            return {128, 96, 120, 3};
        case 2:
            return {256, 240, 240, 6};
        default:
            return {64, 60, 60, 2};
    }
}

namespace {

// The label at one scale; false when it does not fit the visible area.
bool LayOutLabel(const FaceGeometry& geometry, std::uint32_t scale, NumberLabel& label) {
    const auto count = static_cast<std::uint32_t>(label.digits.size());
    const std::uint32_t textWidth = (count * kGlyphAdvance - 1) * scale;
    const std::uint32_t textHeight = kGlyphHeight * scale;
    const std::uint32_t pad = scale;
    label.scale = scale;
    label.plateWidth = RoundUp4(textWidth + 2 * pad);
    label.plateHeight = RoundUp4(textHeight + 2 * pad);
    if (label.plateWidth > geometry.visibleWidth ||
        label.plateHeight + pad > geometry.visibleHeight) {
        return false;
    }
    label.plateX = RoundDown4((geometry.visibleWidth - label.plateWidth) / 2);
    label.plateY = RoundDown4(geometry.visibleHeight - label.plateHeight - pad);
    label.x = label.plateX + (label.plateWidth - textWidth) / 2;
    label.y = label.plateY + (label.plateHeight - textHeight) / 2;
    return true;
}

}  // namespace

NumberLabel NumberLabelOf(const FaceGeometry& geometry, std::int32_t faceNumber) {
    NumberLabel label;
    if (faceNumber < 0) {
        return label;
    }
    label.digits = std::to_string(faceNumber);
    // Numbers longer than the game's four digits get smaller glyphs, or no plate at all.
    for (std::uint32_t scale = std::max(geometry.labelScale, 1u); scale > 0; --scale) {
        if (LayOutLabel(geometry, scale, label)) {
            return label;
        }
    }
    return NumberLabel{};
}

std::vector<std::uint8_t> PaintFace(std::int32_t faceNumber, const FaceGeometry& geometry) {
    const Features features = FeaturesOf(faceNumber);
    FaceCanvas canvas(geometry.side, geometry.visibleWidth, geometry.visibleHeight);
    canvas.VerticalGradient(features.backTop, features.backBottom);
    PaintBody(canvas, features);
    PaintHair(canvas, features);
    PaintBeard(canvas, features);
    PaintFeatures(canvas, features);
    PaintLabel(canvas, NumberLabelOf(geometry, faceNumber));
    return canvas.Take();
}

}  // namespace kaocg_demo
