#pragma once

#include <cstdint>

#include "picture/jpeg_errors.h"
#include "picture/jpeg_huffman.h"

namespace picture::jpeg {

// Reads the entropy-coded bits of a scan, most significant first, with the 0xFF 0x00 stuffing
// removed. It stops before a marker and at the end of the buffer and never reads past either;
// from there on it supplies zero bits. Zero bits taken beyond a marker are an error the caller
// checks with Overrun(); zero bits beyond the end of the buffer complete a truncated scan.
class EntropyReader {
public:
    void Start(const std::uint8_t* position, const std::uint8_t* end) {
        m_position = position;
        m_end = end;
        m_bits = m_bitCount = m_markerPadding = m_endPadding = 0;
        m_stopped = m_atMarker = false;
    }

    int DecodeSymbol(const HuffmanTable& table) {
        if (m_bitCount < 16) {
            Refill();
        }
        const unsigned entry =
            table.Lookup(static_cast<unsigned>(m_bits >> (64 - HuffmanTable::kLookupBits)));
        if (entry == 0) {
            return DecodeLongSymbol(table);
        }
        Consume(static_cast<int>(entry >> 8));
        return static_cast<int>(entry & 0xFF);
    }

    // The next kLookupBits bits, without taking them.
    unsigned PeekLookupBits() {
        if (m_bitCount < 16) {
            Refill();
        }
        return static_cast<unsigned>(m_bits >> (64 - HuffmanTable::kLookupBits));
    }

    void Consume(int count) {
        m_bits <<= count;
        m_bitCount -= count;
    }

    // Reads count bits (1 ... 16) and extends them to the signed value they code.
    std::int32_t ReceiveExtend(int count) {
        if (m_bitCount < count) {
            Refill();
        }
        const auto value = static_cast<std::int32_t>(m_bits >> (64 - count));
        Consume(count);
        return value < (std::int32_t{1} << (count - 1)) ? value + 1 - (std::int32_t{1} << count)
                                                        : value;
    }

    // True when bits beyond a marker were taken: the entropy data ended inside a block.
    bool Overrun() const { return m_bitCount < m_markerPadding; }
    // True when bits beyond the end of the buffer were taken: the file ends inside the scan.
    bool RanOut() const { return m_bitCount < m_endPadding; }

    // True when the buffer ends within `bytes` bytes of the reader's position with no marker
    // before its end: reading on from here may run past it.
    bool EndsWithin(std::ptrdiff_t bytes) const {
        if (m_atMarker || m_end - m_position > bytes) {
            return false;
        }
        for (const std::uint8_t* p = m_position; p + 1 < m_end; ++p) {
            if (p[0] == 0xFF && p[1] != 0) {
                return false;
            }
        }
        return true;
    }

    // Where byte reading goes on after this scan's data: at the marker it stopped before, at
    // the end of the buffer, or after the bytes it has taken so far.
    const std::uint8_t* Position() const { return m_position; }

private:
    void Refill() {
        // Most of a scan is plain bytes far from its end: take them without the checks.
        if (!m_stopped && m_end - m_position >= 16) {
            while (m_bitCount <= 56) {
                const unsigned byte = *m_position;
                if (byte == 0xFF) {
                    if (m_position[1] != 0) {
                        break;  // a marker: the careful path below stops there
                    }
                    ++m_position;
                }
                ++m_position;
                m_bits |= std::uint64_t{byte} << (56 - m_bitCount);
                m_bitCount += 8;
            }
        }
        while (m_bitCount <= 56) {
            m_bits |= std::uint64_t{NextByte()} << (56 - m_bitCount);
            m_bitCount += 8;
        }
    }

    unsigned NextByte() {
        if (!m_stopped) {
            if (m_position == m_end) {
                m_stopped = true;
            } else if (*m_position != 0xFF) {
                return *m_position++;
            } else if (m_end - m_position < 2) {
                // A lone 0xFF at the very end is neither data nor a marker.
                m_stopped = true;
            } else if (m_position[1] == 0) {
                m_position += 2;
                return 0xFF;
            } else {
                m_stopped = m_atMarker = true;
            }
        }
        if (m_atMarker) {
            m_markerPadding += 8;
        } else {
            m_endPadding += 8;
        }
        return 0;
    }

    int DecodeLongSymbol(const HuffmanTable& table) {
        for (int length = HuffmanTable::kLookupBits + 1; length <= 16; ++length) {
            const auto code = static_cast<std::int32_t>(m_bits >> (64 - length));
            if (code <= table.MaxCode(length)) {
                Consume(length);
                return table.Symbol(length, code);
            }
        }
        throw EDataFormatError("Decode1HuffmanCode:length over");
    }

    const std::uint8_t* m_position = nullptr;
    const std::uint8_t* m_end = nullptr;
    std::uint64_t m_bits = 0;  // left-aligned
    int m_bitCount = 0;
    int m_markerPadding = 0;
    int m_endPadding = 0;
    bool m_stopped = false;
    bool m_atMarker = false;
};

}  // namespace picture::jpeg
