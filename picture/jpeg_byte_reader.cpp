#include "picture/jpeg_byte_reader.h"

#include "picture/jpeg_errors.h"

namespace picture {

void JpegByteReader::Reset(const std::uint8_t* data, std::size_t length) {
    m_begin = m_position = data;
    m_end = data + length;
}

std::uint8_t JpegByteReader::GetByte() {
    if (m_position == m_end) {
        throw EBufferError("GetByte");
    }
    return *m_position++;
}

std::uint16_t JpegByteReader::GetWord() {
    if (Remaining() < 2) {
        throw EBufferError("GetWord");
    }
    const std::uint16_t value = static_cast<std::uint16_t>(m_position[0] << 8 | m_position[1]);
    m_position += 2;
    return value;
}

std::string JpegByteReader::CopyBytes(std::size_t count) {
    if (Remaining() < count) {
        throw EBufferError("CopyByte");
    }
    std::string bytes(reinterpret_cast<const char*>(m_position), count);
    m_position += count;
    return bytes;
}

void JpegByteReader::SkipBytes(std::size_t count) {
    if (Remaining() < count) {
        throw EBufferError("SkipByte");
    }
    m_position += count;
}

bool JpegByteReader::TryNextMarker(int& marker) {
    while (Remaining() >= 2) {
        if (*m_position++ != 0xFF) {
            continue;
        }
        const int code = *m_position++;
        if (code != 0) {
            marker = (code >= 3 && code <= 0xBF) ? 0xFF : code;
            return true;
        }
    }
    m_position = m_end;
    return false;
}

int JpegByteReader::NextMarker() {
    int marker = 0;
    if (!TryNextMarker(marker)) {
        throw EBufferError("GetByte");
    }
    return marker;
}

}  // namespace picture
