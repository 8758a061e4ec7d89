#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "kaocg/image_archive_layout.h"

namespace kaocg_func {

// The fields of an image archive's 32-byte header; the 12 reserved bytes are not kept.
struct ImageArchiveHeader {
    std::array<std::uint8_t, 4> magic{};
    std::uint32_t entryCount = 0;
    std::uint32_t headerSize = 0;
    std::uint32_t entryCountCopy = 0;
    std::uint32_t infoDirectoryOffset = 0;

    bool operator==(const ImageArchiveHeader&) const = default;
};

constexpr std::array<std::uint8_t, 4> kImageArchiveMagic{'L', 'I', 'N', 'K'};

// The header an archive of this kind and edition must carry to be read.
ImageArchiveHeader RequiredImageArchiveHeader(int kind, int edition);

using ArchiveHeaderBytes = std::span<const std::uint8_t, kArchiveHeaderSize>;
ImageArchiveHeader ParseImageArchiveHeader(ArchiveHeaderBytes bytes);
// Writes the fields little-endian and zeros in the reserved bytes.
void StoreImageArchiveHeader(const ImageArchiveHeader& header,
                             std::span<std::uint8_t, kArchiveHeaderSize> bytes);

// Little-endian 32-bit words inside a byte buffer.
std::uint32_t LoadU32LE(const std::uint8_t* bytes);
void StoreU32LE(std::uint8_t* bytes, std::uint32_t value);

}  // namespace kaocg_func
