#include "kaocg/image_archive_header.h"

#include <algorithm>

namespace kaocg_func {

ImageArchiveHeader RequiredImageArchiveHeader(int kind, int edition) {
    ImageArchiveHeader header;
    header.magic = kImageArchiveMagic;
    header.entryCount = EntryCount(kind, edition);
    header.headerSize = kArchiveHeaderSize;
    header.entryCountCopy = header.entryCount;
    header.infoDirectoryOffset = InfoDirectoryOffset(kind, edition);
    return header;
}

ImageArchiveHeader ParseImageArchiveHeader(ArchiveHeaderBytes bytes) {
    ImageArchiveHeader header;
    std::copy_n(bytes.begin(), header.magic.size(), header.magic.begin());
    header.entryCount = LoadU32LE(&bytes[4]);
    header.headerSize = LoadU32LE(&bytes[8]);
    header.entryCountCopy = LoadU32LE(&bytes[12]);
    header.infoDirectoryOffset = LoadU32LE(&bytes[16]);
    return header;
}

void StoreImageArchiveHeader(const ImageArchiveHeader& header,
                             std::span<std::uint8_t, kArchiveHeaderSize> bytes) {
    std::fill(bytes.begin(), bytes.end(), std::uint8_t{0});
    std::copy(header.magic.begin(), header.magic.end(), bytes.begin());
    StoreU32LE(&bytes[4], header.entryCount);
    StoreU32LE(&bytes[8], header.headerSize);
    StoreU32LE(&bytes[12], header.entryCountCopy);
    StoreU32LE(&bytes[16], header.infoDirectoryOffset);
}

std::uint32_t LoadU32LE(const std::uint8_t* bytes) {
    return std::uint32_t{bytes[0]} | std::uint32_t{bytes[1]} << 8 | std::uint32_t{bytes[2]} << 16 |
           std::uint32_t{bytes[3]} << 24;
}

void StoreU32LE(std::uint8_t* bytes, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

}  // namespace kaocg_func
