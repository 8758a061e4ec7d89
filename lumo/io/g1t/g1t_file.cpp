#include "lumo/io/g1t/g1t_file.h"

#include "lumo/image/pixel_codec.h"
#include "lumo/io/message_translator.h"

namespace lumo {

bool CG1TFileImpl::IsBigEndian() const {
    return IsBigEndianPlatform(platform);
}

void CG1TFileImpl::SetPlatform(std::uint32_t newPlatform) {
    platform = newPlatform;
    if (newPlatform >= kPlatformCount) {
        return;  // kept for validation to refuse; textures keep theirs
    }
    for (auto& texture : m_textures) {
        if (texture->initialised && texture->platform != newPlatform) {
            texture->platform = newPlatform;
            texture->dirty = true;
        }
    }
}

bool CG1TFileImpl::SetPixelFormat(std::uint32_t code) {
    if (code >= kFormatCodeCount || PaletteEntries(code) != 0) {
        return false;
    }
    for (auto& texture : m_textures) {
        texture->header.SetFormat(code);
        texture->paletteFormat = kNoPalette;
        texture->dirty = true;
    }
    return true;
}

CG1TTexture& CG1TFileImpl::AddTexture() {
    auto texture = std::make_unique<CG1TTexture>();
    texture->platform = platform;
    texture->initialised = true;
    texture->dirty = true;
    m_textures.push_back(std::move(texture));
    textureCount = static_cast<std::uint32_t>(m_textures.size());
    return *m_textures.back();
}

CG1TTexture* CG1TFileImpl::Texture(std::size_t index) {
    return index < m_textures.size() ? m_textures[index].get() : nullptr;
}

const CG1TTexture* CG1TFileImpl::Texture(std::size_t index) const {
    return index < m_textures.size() ? m_textures[index].get() : nullptr;
}

bool CG1TFileImpl::Fail(std::uint32_t code) {
    m_lastError = code;
    CMessageTranslatorManager::Instance().Report(code);
    return false;
}

}  // namespace lumo
