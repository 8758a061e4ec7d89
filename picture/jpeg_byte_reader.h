#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace picture {

// Byte-level reading of JPEG segments over the caller's buffer, which it does not own. Every
// read checks the bytes left first, so nothing is ever read past the end of the buffer.
class JpegByteReader {
public:
    void Reset(const std::uint8_t* data, std::size_t length);

    std::uint8_t GetByte();
    // Big-endian, as every JPEG segment field is.
    std::uint16_t GetWord();
    std::string CopyBytes(std::size_t count);
    void SkipBytes(std::size_t count);

    // Reads up to and including the next marker (0xFF followed by a non-zero byte) and returns
    // its code. Codes 3 ... 0xBF are reserved and come back as 0xFF, which no handler accepts.
    // Throws when the buffer ends first.
    int NextMarker();
    // The same search without the throw: false when the buffer ends before a marker.
    bool TryNextMarker(int& marker);

    // Bytes read since Reset; segment ends are kept as offsets, never as pointers that could
    // lie past the buffer.
    std::size_t Offset() const { return static_cast<std::size_t>(m_position - m_begin); }
    const std::uint8_t* Position() const { return m_position; }
    const std::uint8_t* End() const { return m_end; }
    void SetPosition(const std::uint8_t* position) { m_position = position; }
    std::size_t Remaining() const { return static_cast<std::size_t>(m_end - m_position); }

private:
    const std::uint8_t* m_begin = nullptr;
    const std::uint8_t* m_position = nullptr;
    const std::uint8_t* m_end = nullptr;
};

}  // namespace picture
