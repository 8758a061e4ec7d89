#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <typeinfo>

#include "lumo/image/pixel_codec.h"
#include "lumo/io/g1t/g1t_file.h"
#include "lumo/io/g1t/g1t_fourcc.h"
#include "lumo/io/message_translator.h"

namespace lumo {
namespace {

using g1t::kTrailerItemType;
constexpr std::uint16_t kColorSpaceItemType = 0;

bool IsSizingPass(const CBinaryWriterBase& writer) {
    return typeid(writer) == typeid(CBinaryWriterForUpdateSize);
}

int VersionNumber(const FourCC& version) {
    int value = 0;
    for (char c : version) {
        if (c < '0' || c > '9') {
            return 0;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

bool MatchesPrefix(std::wstring_view name, std::wstring_view prefix) {
    return name.substr(0, prefix.size()) == prefix;
}

// Named textures carry their colour space in the extended header: linear unless the name
// marks a colour map.
void ApplyColorSpaceRule(CG1TTexture& t) {
    if (t.name.empty() ||
        std::any_of(t.attributes.begin(), t.attributes.end(),
                    [](const CG1TItem& item) { return item.type == kColorSpaceItemType; })) {
        return;
    }
    const std::wstring_view name = t.name;
    const bool srgb = name != L"ColorSpace_LINEAR" &&
                      (name == L"ColorSpace_sRGB" || MatchesPrefix(name, L"COLOR") ||
                       MatchesPrefix(name, L"DxTexture") || MatchesPrefix(name, L"SpecularMap") ||
                       MatchesPrefix(name, L"AlphaSpecularMap"));
    t.extended.SetColorSpace(srgb ? 1 : 0);
    t.header.SetExtendedHeader(true);
}

std::uint32_t WriteItem(CBinaryWriterBase& writer, const CG1TItem& item) {
    const auto count = static_cast<std::uint8_t>(std::min<std::size_t>(item.values.size(), 255));
    std::uint32_t n = writer.Write(item.type) + writer.Write(count) + writer.Write(item.second);
    for (std::uint8_t i = 0; i < count; ++i) {
        n += writer.Write(item.values[i]);
    }
    return n;
}

// Surfaces are written at exactly their level size, cut or padded with zeros, so that the
// data always matches what the texture record promises. Write refuses files whose sizes do not
// fit 32 bits before this runs.
std::uint32_t WriteSurface(CBinaryWriterBase& writer, const CG1TSurface& s, std::uint32_t format) {
    const auto size = static_cast<std::uint32_t>(LevelSize(format, s.width, s.height));
    const auto stored = static_cast<std::uint32_t>(std::min<std::size_t>(s.pixels.size(), size));
    std::uint32_t n = stored > 0 ? writer.WriteArray(s.pixels.data(), stored) : 0;
    if (stored < size) {
        n += writer.WriteZeros(size - stored);
    }
    return n;
}

std::uint64_t TextureBytes(const CG1TTexture& t) {
    std::uint64_t bytes = 8;
    if (t.header.HasExtendedHeader()) {
        bytes += CG1TExtendedHeader::kSize + t.extended.rest.size();
    }
    for (const CG1TSurface& s : t.surfaces) {
        bytes += LevelSize(t.Format(), s.width, s.height);
    }
    return bytes;
}

}  // namespace

std::uint32_t CG1TFileImpl::Write(CBinaryWriterBase& writer) {
    if (!Validate()) {
        return 0;
    }
    PrepareForWrite();
    if (!FitsThirtyTwoBits()) {
        Fail(kMsgInvalidTextureSize);
        return 0;
    }
    for (auto& texture : m_textures) {
        if (!texture->ConvertSurfaces()) {
            return 0;
        }
    }
    writer.SetBase(writer.Tell());
    CBinaryWriterForUpdateSize counter;
    WritePass(counter);
    m_writtenSize = counter.TellFromBase();
    const std::uint32_t written = WritePass(writer);
    for (auto& texture : m_textures) {
        texture->dirty = false;
    }
    return written;
}

// Sizes and offsets are 32-bit fields; a file of 4 GiB or more (or one level that size) could
// only be written with cut values, so it is not written at all. Counted in 64 bits from the
// texture records, before any pixel is converted.
bool CG1TFileImpl::FitsThirtyTwoBits() const {
    std::uint64_t bytes = 28 + 8 * std::uint64_t{textureCount};
    bytes += extraRaw.empty() ? 4 * 256 * std::uint64_t{extraItems.size()} : extraRaw.size();
    for (const auto& texture : m_textures) {
        bytes += TextureBytes(*texture);
    }
    if (trailer) {
        bytes += g1t::kTrailerHeaderSize + trailer->body.size();
    }
    return bytes <= 0xFFFFFFFFu;
}

void CG1TFileImpl::PrepareForWrite() {
    const bool oldVersion = VersionNumber(version) < 60;
    for (auto& texture : m_textures) {
        if (texture->dirty && oldVersion) {
            texture->name.clear();
            texture->header.SetExtendedHeader(false);
        }
    }
    textureCount = static_cast<std::uint32_t>(m_textures.size());
    textureWords.clear();
    for (const auto& texture : m_textures) {
        textureWords.push_back(texture->surfaces.empty() ? 1
                                                         : texture->surfaces.front().headerWord);
    }
    textureOffsets.resize(textureCount, 0);
    if (!trailer && std::any_of(extraItems.begin(), extraItems.end(), [](const CG1TItem& item) {
            return item.type == kTrailerItemType;
        })) {
        trailer = MakeTrailer();
    }
}

CG1TTrailer CG1TFileImpl::MakeTrailer() const {
    CG1TTrailer block;
    std::vector<const CG1TItem*> entries;
    for (const CG1TItem& item : extraItems) {
        if (item.type == kTrailerItemType) {
            entries.push_back(&item);
        }
    }
    block.bigEndian = IsBigEndianPlatform(block.platform);
    const bool big = block.bigEndian;
    CBinaryWriterForUpdateSize counter;
    for (int pass = 0; pass < 2; ++pass) {
        CBinaryWriterBase* out = &counter;
        std::unique_ptr<CBinaryWriterToMemory> memory;
        if (pass == 1) {
            block.body.assign(counter.Tell(), 0);
            memory = std::make_unique<CBinaryWriterToMemory>(block.body.data(), counter.Tell());
            out = memory.get();
        }
        out->SetSwap(big);
        for (const CG1TItem* item : entries) {
            out->Write(static_cast<std::uint16_t>(item->values.size() * 4));
        }
        for (const CG1TItem* item : entries) {
            for (std::uint32_t value : item->values) {
                out->Write(value);
            }
        }
    }
    return block;
}

// The counting pass stores the sizes and offsets it passes into the header fields, so that the
// real pass writes correct values.
std::uint32_t CG1TFileImpl::WritePass(CBinaryWriterBase& writer) {
    const bool sizing = IsSizingPass(writer);
    const bool big = IsBigEndian();
    writer.SetSwap(big);
    writer.SeekFromBase(0);
    std::uint32_t n = g1t::WriteFourCC(writer, magic, big) + g1t::WriteFourCC(writer, version, big);
    n += writer.Write(fileSize) + writer.Write(headerSize) + writer.Write(textureCount);
    n += writer.Write(platform) + writer.Write(extraBlockSize);
    for (std::uint32_t word : textureWords) {
        n += writer.Write(word);
    }
    if (sizing) {
        headerSize = writer.TellFromBase();
    }
    for (std::uint32_t offset : textureOffsets) {
        n += writer.Write(offset);
    }
    const std::uint32_t extraStart = writer.TellFromBase();
    if (!extraRaw.empty()) {
        n += writer.WriteArray(extraRaw.data(), static_cast<std::uint32_t>(extraRaw.size()));
    } else {
        for (const CG1TItem& item : extraItems) {
            n += WriteItem(writer, item);
        }
    }
    if (sizing) {
        extraBlockSize = writer.TellFromBase() - extraStart;
    }
    for (std::size_t i = 0; i < m_textures.size(); ++i) {
        if (sizing) {
            textureOffsets[i] = writer.TellFromBase() - headerSize;
        }
        n += WriteTexture(writer, *m_textures[i]);
    }
    if (sizing) {
        fileSize = writer.TellFromBase();
    }
    if (trailer) {
        n += WriteTrailer(writer, *trailer);
    }
    return n;
}

std::uint32_t CG1TFileImpl::WriteTexture(CBinaryWriterBase& writer, CG1TTexture& t) {
    ApplyColorSpaceRule(t);
    std::uint8_t record[8];
    std::copy(t.header.bytes.begin(), t.header.bytes.end(), record);
    if (writer.IsSwap()) {
        g1t::SwapRecordNibbles(record);
    }
    std::uint32_t n = writer.WriteArray(record, 8);
    if (t.header.HasExtendedHeader()) {
        CG1TExtendedHeader& x = t.extended;
        x.size = CG1TExtendedHeader::kSize + static_cast<std::uint32_t>(x.rest.size());
        n += writer.Write(x.size) + writer.Write(x.value);
        n += writer.WriteBits(x.packed, {4, 20, 8});
        if (!x.rest.empty()) {
            n += writer.WriteArray(x.rest.data(), static_cast<std::uint32_t>(x.rest.size()));
        }
    }
    const std::uint32_t faces = t.FaceCount();
    const std::uint32_t levels = t.MipCount();
    const bool faceMajor = faces == 1 || t.platform == 1;
    for (std::uint32_t i = 0; i < faces * levels; ++i) {
        const std::uint32_t face = faceMajor ? i / levels : i % faces;
        const std::uint32_t level = faceMajor ? i % levels : i / faces;
        n += WriteSurface(writer, t.surfaces[std::size_t{face} * levels + level], t.Format());
    }
    return n;
}

std::uint32_t CG1TFileImpl::WriteTrailer(CBinaryWriterBase& writer, const CG1TTrailer& block) {
    const bool big = block.bigEndian;
    writer.SetSwap(big);
    std::uint32_t n = g1t::WriteFourCC(writer, g1t::kTrailerMagic, big);
    n += g1t::WriteFourCC(writer, block.version, big);
    n += writer.Write(block.headerSize) + writer.Write(block.entryValue) +
         writer.Write(block.platform);
    if (!block.body.empty()) {
        n += writer.WriteArray(block.body.data(), static_cast<std::uint32_t>(block.body.size()));
    }
    writer.SetSwap(IsBigEndian());
    return n;
}

}  // namespace lumo
