#pragma once

#include <algorithm>
#include <cstdint>

#include "lumo/io/binary_reader.h"
#include "lumo/io/binary_writer.h"
#include "lumo/io/g1t/g1t_file.h"

namespace lumo::g1t {

// Four-character codes are moved as four single bytes: as text in big-endian files, reversed
// in little-endian ones.
inline bool ReadFourCC(CBinaryReaderBase& reader, FourCC& code, bool bigEndian) {
    FourCC raw{};
    for (char& c : raw) {
        std::uint8_t byte = 0;
        if (reader.Read(byte) != 1) {
            return false;
        }
        c = static_cast<char>(byte);
    }
    if (!bigEndian) {
        std::reverse(raw.begin(), raw.end());
    }
    code = raw;
    return true;
}

inline std::uint32_t WriteFourCC(CBinaryWriterBase& writer, FourCC code, bool bigEndian) {
    if (!bigEndian) {
        std::reverse(code.begin(), code.end());
    }
    std::uint32_t n = 0;
    for (char c : code) {
        n += writer.Write(static_cast<std::uint8_t>(c));
    }
    return n;
}

// Bytes between the reader's position and the end of its data.
inline std::uint64_t Remaining(const CBinaryReaderBase& reader) {
    const std::uint32_t size = reader.GetSize();
    return reader.Tell() < size ? size - reader.Tell() : 0;
}

// The nibbles of texture record bytes 0 and 2..7 are exchanged in big-endian files.
inline void SwapRecordNibbles(std::uint8_t (&bytes)[8]) {
    for (int i = 0; i < 8; ++i) {
        if (i != 1) {
            bytes[i] = static_cast<std::uint8_t>((bytes[i] << 4) | (bytes[i] >> 4));
        }
    }
}

constexpr FourCC kTrailerMagic{'G', '1', 'T', 'L'};
constexpr std::uint32_t kTrailerHeaderSize = 16;
// Extra items of this type are the entries of the trailing block.
constexpr std::uint16_t kTrailerItemType = 5;

}  // namespace lumo::g1t
