#include "lumo/io/g1t/g1t_file.h"

#include <vector>

#include "lumo/io/message_translator.h"

namespace lumo {
namespace {

bool IsTileDxt(std::uint32_t code) {
    return code == kFormatTileDXT1 || code == kFormatTileDXT3 || code == kFormatTileDXT5;
}

}  // namespace

bool CG1TFileImpl::Validate() {
    m_lastError = 0;
    if (m_textures.empty()) {
        return Fail(kMsgNoTextures);
    }
    for (const auto& texture : m_textures) {
        // Without a surface for every face and level the header would not describe the data.
        const CG1TTexture& t = *texture;
        if (t.surfaces.empty() || t.surfaces.size() != std::size_t{t.FaceCount()} * t.MipCount()) {
            return Fail(kMsgNoTextures);
        }
    }
    if (platform >= kPlatformCount) {
        return Fail(kMsgInvalidFilePlatform);
    }
    // Substitutions are made as validation goes; a failure further on takes them back, so a
    // file that cannot be written is left as it was.
    struct Before {
        CG1TTextureHeader header;
        std::uint32_t paletteFormat;
        bool dirty;
    };
    std::vector<Before> before;
    for (const auto& texture : m_textures) {
        before.push_back({texture->header, texture->paletteFormat, texture->dirty});
    }
    for (auto& texture : m_textures) {
        if (!ValidateTexture(*texture)) {
            for (std::size_t i = 0; i < before.size(); ++i) {
                m_textures[i]->header = before[i].header;
                m_textures[i]->paletteFormat = before[i].paletteFormat;
                m_textures[i]->dirty = before[i].dirty;
            }
            return false;
        }
    }
    return true;
}

bool CG1TFileImpl::ValidateTexture(CG1TTexture& t) {
    if (t.platform != platform) {
        return Fail(kMsgPlatformMismatch);
    }
    if (!t.initialised) {
        return Fail(kMsgNotInitialized);
    }
    if (t.fixed) {
        return Fail(kMsgFixedImage);
    }
    if (t.Format() >= kFormatCodeCount) {
        return Fail(kMsgInvalidPixelFormat);
    }
    if (t.platform >= kPlatformCount) {
        return Fail(kMsgInvalidPlatform);
    }
    // Cube maps are laid out per platform; platforms 3 and 4 have no layout for them.
    if (t.header.Layout() == kLayoutCube && t.platform >= 3) {
        return Fail(kMsgInvalidPlatform);
    }
    if (t.platform == 2 && IsTileDxt(t.Format()) && (t.Width() < 128 || t.Height() < 128)) {
        return Fail(kMsgTileDxtTooSmall);
    }
    const std::uint32_t stored = PlatformFormat(t.platform, t.Format());
    if (stored != t.Format()) {
        CMessageTranslatorManager::Instance().Report(kMsgUnsupportedOnPlatform);
        if (stored >= kFormatCodeCount) {
            return Fail(kMsgInvalidPixelFormat);
        }
        t.header.SetFormat(stored);
        t.dirty = true;
    }
    if (t.paletteFormat != kNoPalette) {
        const std::uint32_t storedPalette = PlatformPaletteFormat(t.platform, t.paletteFormat);
        if (storedPalette != t.paletteFormat) {
            CMessageTranslatorManager::Instance().Report(kMsgUnsupportedOnPlatform);
            if (storedPalette == kPaletteRefused) {
                return Fail(kMsgInvalidPixelFormat);
            }
            t.paletteFormat = storedPalette;
            t.dirty = true;
        }
    }
    const bool hasPalette = !t.surfaces.front().palette.empty();
    if (t.paletteFormat == kNoPalette && hasPalette) {
        return Fail(kMsgIndexedToDirect);
    }
    if (t.paletteFormat != kNoPalette && !hasPalette) {
        return Fail(kMsgDirectToIndexed);
    }
    return true;
}

}  // namespace lumo
