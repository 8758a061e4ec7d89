#include <algorithm>
#include <cstring>

#include "lumo/io/g1t/g1t_file.h"
#include "lumo/io/g1t/g1t_fourcc.h"

namespace lumo {
namespace {

using g1t::Remaining;

// The file's fixed header fields end at byte 28; shorter headers omit the later ones.
constexpr std::uint32_t kPlatformFieldEnd = 20;
constexpr std::uint32_t kExtraFieldEnd = 24;
constexpr std::uint32_t kMaxMipCount = 15;

bool VersionAtLeast(const FourCC& version, const char (&other)[5]) {
    return std::memcmp(version.data(), other, 4) >= 0;
}

// Parses the extra block as items; false when it does not consist of whole items.
bool ParseExtraItems(const std::vector<std::uint8_t>& raw, bool bigEndian,
                     std::vector<CG1TItem>& items) {
    CBinaryReaderFromMemory reader(raw.data(), static_cast<std::uint32_t>(raw.size()));
    reader.SetSwap(bigEndian);
    std::vector<CG1TItem> parsed;
    while (reader.Tell() < raw.size()) {
        CG1TItem item;
        std::uint8_t count = 0;
        if (reader.Read(item.type) != 2 || reader.Read(count) != 1 ||
            reader.Read(item.second) != 1) {
            return false;
        }
        item.values.resize(count);
        if (count > 0 && reader.ReadArray(item.values.data(), count) != 4u * count) {
            return false;
        }
        parsed.push_back(std::move(item));
    }
    items = std::move(parsed);
    return true;
}

}  // namespace

bool CG1TFileImpl::Read(CBinaryReaderBase& reader) {
    m_textures.clear();
    m_refusal = {};
    textureWords.clear();
    textureOffsets.clear();
    extraItems.clear();
    extraRaw.clear();
    trailer.reset();

    reader.SetBase(reader.Tell());
    FourCC probe{};
    reader.SetSwap(false);
    if (!g1t::ReadFourCC(reader, probe, true)) {
        return false;
    }
    if (probe == FourCC{'G', 'T', '1', 'G'}) {
        reader.SetSwap(false);
    } else if (probe == kMagic) {
        reader.SetSwap(true);
    } else {
        return false;
    }
    reader.SeekFromBase(0);
    m_unclaimedBytes = reader.GetSize() - reader.GetBase();
    if (!ReadHeader(reader)) {
        return false;
    }
    for (std::uint32_t offset : textureOffsets) {
        if (!ReadTexture(reader, offset)) {
            return false;
        }
    }
    ReadTrailer(reader);
    for (auto& texture : m_textures) {
        texture->dirty = false;
    }
    return true;
}

bool CG1TFileImpl::ReadHeader(CBinaryReaderBase& reader) {
    const bool big = reader.IsSwap();
    if (!g1t::ReadFourCC(reader, magic, big) || !g1t::ReadFourCC(reader, version, big) ||
        reader.Read(fileSize) != 4 || reader.Read(headerSize) != 4 ||
        reader.Read(textureCount) != 4) {
        return false;
    }
    if (headerSize < kPlatformFieldEnd || headerSize > reader.GetSize() - reader.GetBase()) {
        return false;
    }
    platform = big ? 1 : 0;
    if (headerSize > kPlatformFieldEnd && reader.Read(platform) != 4) {
        return false;
    }
    extraBlockSize = 0;
    if (VersionAtLeast(version, "0050") && headerSize > kExtraFieldEnd &&
        reader.Read(extraBlockSize) != 4) {
        return false;
    }
    while (reader.TellFromBase() + 4 <= headerSize) {
        std::uint32_t word = 0;
        if (reader.Read(word) != 4) {
            return false;
        }
        textureWords.push_back(word);
    }

    reader.SeekFromBase(headerSize);
    if (std::uint64_t{textureCount} * 4 > Remaining(reader)) {
        return false;
    }
    textureOffsets.resize(textureCount);
    if (textureCount > 0 &&
        reader.ReadArray(textureOffsets.data(), textureCount) != 4 * textureCount) {
        return false;
    }
    if (extraBlockSize > Remaining(reader)) {
        return false;
    }
    extraRaw.resize(extraBlockSize);
    if (extraBlockSize > 0 && reader.ReadArray(extraRaw.data(), extraBlockSize) != extraBlockSize) {
        return false;
    }
    if (ParseExtraItems(extraRaw, big, extraItems)) {
        extraRaw.clear();
    }
    return true;
}

bool CG1TFileImpl::ReadTexture(CBinaryReaderBase& reader, std::uint32_t offset) {
    const std::uint64_t start = std::uint64_t{headerSize} + offset;
    if (start > reader.GetSize() - reader.GetBase()) {
        return false;
    }
    reader.SeekFromBase(static_cast<std::uint32_t>(start));

    auto texture = std::make_unique<CG1TTexture>();
    CG1TTexture& t = *texture;
    std::uint8_t record[8] = {};
    if (reader.ReadArray(record, 8) != 8) {
        return false;
    }
    if (reader.IsSwap()) {
        g1t::SwapRecordNibbles(record);
    }
    std::copy(std::begin(record), std::end(record), t.header.bytes.begin());
    if (t.header.Layout() != kLayoutSingle && t.header.Layout() != kLayoutCube) {
        return false;
    }
    // An unknown code has no level size, so its data cannot be located or bounded.
    if (t.Format() >= kFormatCodeCount) {
        return false;
    }
    if (t.header.HasExtendedHeader() && !ReadExtendedHeader(reader, t)) {
        return false;
    }
    t.platform = platform;
    t.initialised = true;
    if (!ReadSurfaces(reader, t)) {
        return false;
    }
    if (m_textures.size() < textureWords.size() && !t.surfaces.empty()) {
        t.surfaces.front().headerWord = textureWords[m_textures.size()];
    }
    m_textures.push_back(std::move(texture));
    return true;
}

// The pixel data starts where the extended header's own size says it ends; words past the
// three this toolkit knows are carried along unread.
bool CG1TFileImpl::ReadExtendedHeader(CBinaryReaderBase& reader, CG1TTexture& t) {
    CG1TExtendedHeader& x = t.extended;
    if (reader.Read(x.size) != 4) {
        return false;
    }
    if (x.size < CG1TExtendedHeader::kSize) {
        return Refuse("extended texture header shorter than 12 bytes");
    }
    if (x.size - 4 > Remaining(reader) || reader.Read(x.value) != 4 ||
        reader.ReadBits(x.packed, {4, 20, 8}) != 4) {
        return false;
    }
    x.rest.resize(x.size - CG1TExtendedHeader::kSize);
    const auto restSize = static_cast<std::uint32_t>(x.rest.size());
    return restSize == 0 || reader.ReadArray(x.rest.data(), restSize) == restSize;
}

bool CG1TFileImpl::Refuse(std::string_view reason) {
    m_refusal = reason;
    return false;
}

bool CG1TFileImpl::ReadSurfaces(CBinaryReaderBase& reader, CG1TTexture& t) {
    const std::uint32_t faces = t.FaceCount();
    const std::uint32_t levels = std::min(t.MipCount(), kMaxMipCount);
    if (faces > 1 && t.platform >= 3) {
        return false;  // no cube map layout on these platforms
    }
    t.surfaces.assign(std::size_t{faces} * levels, CG1TSurface{});
    // Platform 1 stores face after face; the others level after level, six faces each.
    const bool faceMajor = faces == 1 || t.platform == 1;
    for (std::uint32_t i = 0; i < faces * levels; ++i) {
        const std::uint32_t face = faceMajor ? i / levels : i % faces;
        const std::uint32_t level = faceMajor ? i % levels : i / faces;
        CG1TSurface& s = t.surfaces[std::size_t{face} * levels + level];
        s.width = t.LevelWidth(level);
        s.height = t.LevelHeight(level);
        s.format = t.Format();
        s.paletteFormat = t.paletteFormat;
        s.platform = t.platform;
        const std::uint64_t bytes = LevelSize(s.format, s.width, s.height);
        // Checked before allocating: the data must be there, and must not have been handed
        // out to another texture already.
        if (bytes > Remaining(reader) || bytes > m_unclaimedBytes) {
            return false;
        }
        m_unclaimedBytes -= bytes;
        s.pixels.resize(bytes);
        const auto n = static_cast<std::uint32_t>(bytes);
        if (n > 0 && reader.ReadArray(s.pixels.data(), n) != n) {
            return false;
        }
    }
    return true;
}

// A "G1TL" block may follow the file; it starts where the header's file size ends. It ends
// where its entries do: a table of one 16-bit size per entry, then the entries' bytes. Bytes
// after that belong to whatever holds the file (an archive slot, for one) and are not kept.
void CG1TFileImpl::ReadTrailer(CBinaryReaderBase& reader) {
    const std::uint64_t start = std::uint64_t{reader.GetBase()} + fileSize;
    const std::uint64_t end = reader.GetSize();
    if (start + g1t::kTrailerHeaderSize > end) {
        return;
    }
    reader.Seek(static_cast<std::uint32_t>(start));
    FourCC probe{};
    if (!g1t::ReadFourCC(reader, probe, true)) {
        return;
    }
    const bool big = probe == g1t::kTrailerMagic;
    if (!big && probe != FourCC{'L', 'T', '1', 'G'}) {
        return;
    }
    reader.SetSwap(big);
    CG1TTrailer block;
    block.bigEndian = big;
    if (!g1t::ReadFourCC(reader, block.version, big) || reader.Read(block.headerSize) != 4 ||
        reader.Read(block.entryValue) != 2 || reader.Read(block.platform) != 2) {
        return;
    }
    const std::uint32_t bodyStart = reader.Tell();
    const std::uint64_t tableStart =
        start + std::max<std::uint64_t>(block.headerSize, g1t::kTrailerHeaderSize);
    const std::uint64_t count = TrailerEntryCount(block);
    if (tableStart + 2 * count > end) {
        return;
    }
    reader.Seek(static_cast<std::uint32_t>(tableStart));
    std::uint64_t blockEnd = tableStart + 2 * count;
    for (std::uint64_t i = 0; i < count; ++i) {
        std::uint16_t entrySize = 0;
        reader.Read(entrySize);
        blockEnd += entrySize;
    }
    if (blockEnd > end) {
        return;
    }
    block.body.resize(static_cast<std::size_t>(blockEnd - bodyStart));
    reader.Seek(bodyStart);
    if (!block.body.empty() &&
        reader.ReadArray(block.body.data(), static_cast<std::uint32_t>(block.body.size())) !=
            block.body.size()) {
        return;
    }
    trailer = std::move(block);
}

// The entries are the extra items of type 5 that the block was made from; a file whose extra
// block is not made of items can only say it through the block's own entry value.
std::uint64_t CG1TFileImpl::TrailerEntryCount(const CG1TTrailer& block) const {
    const auto items =
        std::count_if(extraItems.begin(), extraItems.end(),
                      [](const CG1TItem& item) { return item.type == g1t::kTrailerItemType; });
    return items > 0 ? static_cast<std::uint64_t>(items) : block.entryValue;
}

}  // namespace lumo
