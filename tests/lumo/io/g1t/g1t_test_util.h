#pragma once

#include <cstdint>
#include <vector>

#include "lumo/image/image.h"
#include "lumo/io/binary_reader.h"
#include "lumo/io/binary_writer.h"
#include "lumo/io/g1t/g1t_file.h"

namespace lumo::testing {

// A picture whose every byte differs from its neighbours, so swapped channels show.
inline void FillPattern(CImage& image, std::uint32_t width, std::uint32_t height,
                        std::uint32_t seed = 0) {
    std::vector<std::uint8_t> bytes(std::size_t{width} * height * 4);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<std::uint8_t>(i * 7 + seed * 13 + i / 4);
    }
    image.Create(width, height, kCreateDirect);
    image.ImportChannels(bytes, kChannelRGBA);
}

// Writes the file the way callers do: learn the size, then write into a buffer of that size.
inline std::vector<std::uint8_t> WriteToBytes(CG1TFileImpl& file) {
    CBinaryWriterForUpdateSize counter;
    if (file.Write(counter) == 0) {
        return {};
    }
    std::vector<std::uint8_t> bytes(counter.Tell());
    CBinaryWriterToMemory writer(bytes.data(), static_cast<std::uint32_t>(bytes.size()));
    if (file.Write(writer) != bytes.size()) {
        return {};
    }
    return bytes;
}

inline bool ReadFromBytes(CG1TFileImpl& file, const std::vector<std::uint8_t>& bytes) {
    CBinaryReaderFromMemory reader(bytes.data(), static_cast<std::uint32_t>(bytes.size()));
    return file.Read(reader);
}

inline std::uint32_t U32LE(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (std::uint32_t{b[at + 3]} << 24);
}

inline std::uint32_t U32BE(const std::vector<std::uint8_t>& b, std::size_t at) {
    return (std::uint32_t{b[at]} << 24) | (b[at + 1] << 16) | (b[at + 2] << 8) | b[at + 3];
}

}  // namespace lumo::testing
