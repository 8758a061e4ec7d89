#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "lumo/io/binary_reader.h"
#include "lumo/io/binary_writer.h"
#include "lumo/io/g1t/g1t_texture.h"
#include "lumo/io/g1t_item.h"
#include "lumo/io/non_copyable.h"

namespace lumo {

using FourCC = std::array<char, 4>;  // held as text in big-endian order, e.g. "G1TG"

// The optional "G1TL" block that may follow a G1T file. Kept as its header plus the raw bytes
// after it, so a file that is read and written again keeps it unchanged.
struct CG1TTrailer {
    FourCC version{'0', '0', '0', '0'};
    std::uint32_t headerSize = 16;
    std::uint16_t entryValue = 0;
    std::uint16_t platform = 5;
    bool bigEndian = false;          // "G1TL" stored as text; new blocks follow their platform
    std::vector<std::uint8_t> body;  // entry sizes and entry data, in the block's byte order

    bool operator==(const CG1TTrailer&) const = default;
};

// A G1T texture container: a header, a table of texture offsets, an extra block and textures.
class CG1TFileImpl : public CNonCopyable {
public:
    static constexpr FourCC kMagic{'G', '1', 'T', 'G'};
    static constexpr FourCC kNewVersion{'0', '0', '6', '0'};

    // Header fields, as read or as the last write computed them.
    FourCC magic = kMagic;
    FourCC version = kNewVersion;
    std::uint32_t fileSize = 0;
    std::uint32_t headerSize = 0;
    std::uint32_t textureCount = 0;
    std::uint32_t platform = 0;
    std::uint32_t extraBlockSize = 0;
    std::vector<std::uint32_t> textureWords;
    std::vector<std::uint32_t> textureOffsets;  // from the start of the offset table
    std::vector<CG1TItem> extraItems;
    // An extra block that does not parse as items is kept as raw bytes and written back as is.
    std::vector<std::uint8_t> extraRaw;
    std::optional<CG1TTrailer> trailer;

    // Sets the file platform; initialised textures take it too when it is below 5.
    void SetPlatform(std::uint32_t newPlatform);
    // Sets every texture's pixel format; refuses codes above 63 and indexed formats.
    bool SetPixelFormat(std::uint32_t code);
    // Appends an initialised texture with the new-texture defaults and the file's platform.
    CG1TTexture& AddTexture();
    std::size_t TextureCount() const { return m_textures.size(); }
    CG1TTexture* Texture(std::size_t index);
    const CG1TTexture* Texture(std::size_t index) const;
    CG1TTexture* FirstTexture() { return Texture(0); }

    // Checks the file before writing; switches textures to their platform's substitute format
    // where needed. Returns false at the first blocking failure; LastError() gives its code.
    bool Validate();
    std::uint32_t LastError() const { return m_lastError; }

    // Reads a G1T file at the reader's position; the object is not to be used after a failure.
    // All textures together may hold no more pixel bytes than the reader has from the file's
    // start on, so offsets that point at one texture many times cannot multiply it.
    bool Read(CBinaryReaderBase& reader);
    // Why the last Read refused a file whose layout it understood but cannot honour (empty
    // after a success or when the file was simply damaged).
    std::string_view ReadRefusal() const { return m_refusal; }
    // Validates, then writes the file in two passes (sizes first, then the content). Returns
    // the bytes the real pass moved; compare with WrittenSize() to detect a short write. 0 on a
    // validation failure.
    std::uint32_t Write(CBinaryWriterBase& writer);
    // Bytes of the last write: the file and its trailing block, if any.
    std::uint32_t WrittenSize() const { return m_writtenSize; }

    bool IsBigEndian() const;

private:
    bool ReadHeader(CBinaryReaderBase& reader);
    bool ReadTexture(CBinaryReaderBase& reader, std::uint32_t offset);
    bool ReadExtendedHeader(CBinaryReaderBase& reader, CG1TTexture& texture);
    bool ReadSurfaces(CBinaryReaderBase& reader, CG1TTexture& texture);
    void ReadTrailer(CBinaryReaderBase& reader);
    std::uint64_t TrailerEntryCount(const CG1TTrailer& block) const;
    bool Refuse(std::string_view reason);
    void PrepareForWrite();
    bool FitsThirtyTwoBits() const;
    std::uint32_t WritePass(CBinaryWriterBase& writer);
    std::uint32_t WriteTexture(CBinaryWriterBase& writer, CG1TTexture& texture);
    std::uint32_t WriteTrailer(CBinaryWriterBase& writer, const CG1TTrailer& block);
    CG1TTrailer MakeTrailer() const;
    bool ValidateTexture(CG1TTexture& texture);
    bool Fail(std::uint32_t code);

    std::vector<std::unique_ptr<CG1TTexture>> m_textures;
    std::uint32_t m_lastError = 0;
    std::uint32_t m_writtenSize = 0;
    std::uint64_t m_unclaimedBytes = 0;  // pixel bytes the file can still give while reading
    std::string_view m_refusal;
};

}  // namespace lumo
