#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "lumo/image/palette_image.h"
#include "lumo/image/pixel.h"

namespace lumo {

class FOperateColorBase;

// Kinds of CImageBase::Create.
enum ImageCreateKind : std::uint32_t {
    kCreateEmpty = 0,       // width and height only, no pixel data
    kCreateDirect = 1,      // width x height x 4 channel values, all 0
    kCreateIndexed256 = 2,  // zero index bytes and one palette of 256 black colours
    kCreateIndexed16 = 3,   // the same with 16 colours
};

enum AddressMode : std::uint32_t {
    kAddressWrap = 0,   // coordinate modulo size
    kAddressClamp = 1,  // coordinate clamped to size - 1
};

// The toolkit's abstract picture: direct RGBA data (float or byte channels, row-major, top row
// first, no padding) or an indexed picture. Operations report failure by returning false and
// leave the image unchanged.
class CImageBase {
public:
    CImageBase() = default;
    CImageBase(const CImageBase&) = delete;
    CImageBase& operator=(const CImageBase&) = delete;
    virtual ~CImageBase() = default;

    virtual bool IsFixed() const = 0;
    virtual bool Create(std::uint32_t width, std::uint32_t height, std::uint32_t kind) = 0;
    virtual bool IsValid() const = 0;
    virtual std::uint32_t GetWidth() const = 0;
    virtual std::uint32_t GetHeight() const = 0;
    virtual bool IsDirect() const = 0;
    virtual bool IsIndexed() const = 0;
    virtual const std::wstring& GetName() const = 0;
    virtual std::uint32_t GetPaletteCount() const = 0;
    virtual bool SetName(const std::wstring& name) = 0;
    virtual bool SetFixed(bool fixed) = 0;
    virtual bool Clear() = 0;
    virtual bool SetIndexedPicture(const CPaletteImage& picture) = 0;
    // Copies the pixels of another image, converting between float and byte channels; an
    // indexed source becomes direct through palette 0.
    virtual bool CopyFrom(const CImageBase& source) = 0;
    virtual bool ImportChannels(const std::vector<std::uint8_t>& bytes, std::uint32_t mask) = 0;
    // One pixel as floats; coordinates outside the picture follow the address mode.
    virtual bool GetPixel(std::int64_t x, std::int64_t y, CImagePixel4& pixel) const = 0;
    virtual bool SetPixel(std::uint32_t x, std::uint32_t y, const CImagePixel4& pixel) = 0;
    virtual bool GetIndexedPicture(CPaletteImage& picture) const = 0;
    virtual bool GetPaletteColor(std::uint32_t palette, std::uint32_t index,
                                 CClassicImagePixel4& color) const = 0;
    virtual bool SetPaletteColor(std::uint32_t palette, std::uint32_t index,
                                 const CClassicImagePixel4& color) = 0;
    virtual bool ExportChannels(std::vector<std::uint8_t>& bytes, std::uint32_t mask) const = 0;
    // Every channel as a float, four per pixel (indexed pictures through palette 0).
    virtual bool ExportFloats(std::vector<float>& values) const = 0;
    virtual std::uint32_t GetTag() const = 0;
    // Passes every colour of every palette through the operation (indexed, non-fixed only).
    virtual bool OperatePalette(FOperateColorBase& operation) = 0;
    // Turns an indexed picture into direct colours through palette 0.
    virtual bool ConvertToDirect() = 0;
    virtual bool FlipVertical() = 0;
    virtual bool ApplyGamma(float exponent) = 0;
    virtual float GetGamma() const = 0;
    virtual bool SetGammaValue(float gamma) = 0;
    virtual bool Dump() const = 0;
    virtual bool SetTag(std::uint32_t tag) = 0;
    virtual bool SetAddressMode(std::uint32_t mode) = 0;
    virtual std::uint32_t GetAddressMode() const = 0;
};

}  // namespace lumo
