#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "lumo/image/image_base.h"

namespace lumo {

namespace detail {
template <typename Channel>
struct ImageBody;
}

// Shared implementation of the float and the byte image; Channel is float or std::uint8_t.
template <typename Channel>
class CImageT : public CImageBase {
public:
    CImageT();
    ~CImageT() override;

    bool IsFixed() const override;
    bool Create(std::uint32_t width, std::uint32_t height, std::uint32_t kind) override;
    bool IsValid() const override;
    std::uint32_t GetWidth() const override;
    std::uint32_t GetHeight() const override;
    bool IsDirect() const override;
    bool IsIndexed() const override;
    const std::wstring& GetName() const override;
    std::uint32_t GetPaletteCount() const override;
    bool SetName(const std::wstring& name) override;
    bool SetFixed(bool fixed) override;
    bool Clear() override;
    bool SetIndexedPicture(const CPaletteImage& picture) override;
    bool CopyFrom(const CImageBase& source) override;
    bool ImportChannels(const std::vector<std::uint8_t>& bytes, std::uint32_t mask) override;
    bool GetPixel(std::int64_t x, std::int64_t y, CImagePixel4& pixel) const override;
    bool SetPixel(std::uint32_t x, std::uint32_t y, const CImagePixel4& pixel) override;
    bool GetIndexedPicture(CPaletteImage& picture) const override;
    bool GetPaletteColor(std::uint32_t palette, std::uint32_t index,
                         CClassicImagePixel4& color) const override;
    bool SetPaletteColor(std::uint32_t palette, std::uint32_t index,
                         const CClassicImagePixel4& color) override;
    bool ExportChannels(std::vector<std::uint8_t>& bytes, std::uint32_t mask) const override;
    bool ExportFloats(std::vector<float>& values) const override;
    std::uint32_t GetTag() const override;
    bool OperatePalette(FOperateColorBase& operation) override;
    bool ConvertToDirect() override;
    bool FlipVertical() override;
    bool ApplyGamma(float exponent) override;
    float GetGamma() const override;
    bool SetGammaValue(float gamma) override;
    bool Dump() const override;
    bool SetTag(std::uint32_t tag) override;
    bool SetAddressMode(std::uint32_t mode) override;
    std::uint32_t GetAddressMode() const override;

    // Direct channel data, 4 values per pixel (R, G, B, A), row-major; empty when not direct.
    std::vector<Channel>& Pixels();
    const std::vector<Channel>& Pixels() const;

private:
    std::unique_ptr<detail::ImageBody<Channel>> m_body;
};

extern template class CImageT<float>;
extern template class CImageT<std::uint8_t>;

// Float channels, nominally 0.0 to 1.0; values outside stay until bytes are produced.
class CImage : public CImageT<float> {};
// Byte channels 0..255.
class CClassicImage : public CImageT<std::uint8_t> {};

}  // namespace lumo
