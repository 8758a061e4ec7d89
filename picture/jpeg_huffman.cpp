#include "picture/jpeg_huffman.h"

#include "picture/jpeg_errors.h"

namespace picture::jpeg {

void HuffmanTable::Build(const std::array<std::uint8_t, 16>& counts, const std::uint8_t* symbols) {
    int total = 0;
    for (std::uint8_t count : counts) {
        total += count;
    }
    if (total > 256) {
        throw EIndexError("AnalysisDHT:Size Table Index over");
    }
    m_lookup.fill(0);
    m_maxCode.fill(-1);
    m_symbolOffset.fill(0);
    // Canonical codes: consecutive within a length, doubled for every bit the length grows. A
    // code that no longer fits its length means the counts are impossible.
    std::int32_t code = 0;
    int index = 0;
    for (int length = 1; length <= 16; ++length) {
        const int count = counts[static_cast<std::size_t>(length - 1)];
        if (count > 0) {
            if (code + count > (std::int32_t{1} << length)) {
                throw EDataFormatError("AnalysisDHT:Huffman code over");
            }
            m_symbolOffset[static_cast<std::size_t>(length)] = index - code;
            for (int i = 0; i < count; ++i, ++code, ++index) {
                m_symbols[static_cast<std::size_t>(index)] = symbols[index];
                FillLookup(length, code, symbols[index]);
            }
            m_maxCode[static_cast<std::size_t>(length)] = code - 1;
        }
        code <<= 1;
    }
    FillFast();
    m_defined = true;
}

void HuffmanTable::FillFast() {
    for (unsigned index = 0; index < m_fast.size(); ++index) {
        m_fast[index] = {};
        const unsigned entry = m_lookup[index];
        const int length = static_cast<int>(entry >> 8);
        const int run = static_cast<int>(entry >> 4 & 15);
        const int size = static_cast<int>(entry & 15);
        if (entry != 0 && (entry & 0xFF) == 0) {
            m_fast[index] = {0, kSymbolZero, static_cast<std::uint8_t>(length)};
            continue;
        }
        if (entry == 0 || size == 0 || length + size > kLookupBits) {
            continue;
        }
        const auto bits = static_cast<std::int32_t>((index >> (kLookupBits - length - size)) &
                                                    ((1u << size) - 1));
        // The value's sign is its first bit: the low half of the range codes negatives.
        const std::int32_t value =
            bits < (std::int32_t{1} << (size - 1)) ? bits + 1 - (std::int32_t{1} << size) : bits;
        m_fast[index] = {static_cast<std::int16_t>(value), static_cast<std::uint8_t>(run),
                         static_cast<std::uint8_t>(length + size)};
    }
}

void HuffmanTable::FillLookup(int length, std::int32_t code, std::uint8_t symbol) {
    if (length > kLookupBits) {
        return;
    }
    const int spare = kLookupBits - length;
    const auto entry = static_cast<std::uint16_t>(length << 8 | symbol);
    const std::int32_t first = code << spare;
    for (std::int32_t i = 0; i < (std::int32_t{1} << spare); ++i) {
        m_lookup[static_cast<std::size_t>(first + i)] = entry;
    }
}

}  // namespace picture::jpeg
