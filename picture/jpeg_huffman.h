#pragma once

#include <array>
#include <cstdint>

namespace picture::jpeg {

// One Huffman table in the form the entropy decoder reads fastest: a lookup on the next
// kLookupBits bits for the short codes, and the canonical first/last codes per length for the
// rest.
class HuffmanTable {
public:
    static constexpr int kLookupBits = 9;

    // counts[l - 1] codes of length l; symbols in code order. Throws EIndexError for more than
    // 256 symbols and EDataFormatError when the counts ask for more codes than a length has.
    void Build(const std::array<std::uint8_t, 16>& counts, const std::uint8_t* symbols);

    bool Defined() const { return m_defined; }

    // (length << 8) | symbol for a code of at most kLookupBits bits that the index starts
    // with; 0 when the index starts with no such code.
    std::uint16_t Lookup(unsigned index) const { return m_lookup[index]; }
    // A code and the value bits after it together within the first kLookupBits bits, decoded
    // at once: a coefficient after `run` zeros, or symbol 0 alone (run kSymbolZero), which
    // ends an AC block and is a zero difference for DC. length 0 when the index starts with
    // no such pair (a zero run of 16, or a long code or value).
    static constexpr std::uint8_t kSymbolZero = 0xFF;
    struct FastCoefficient {
        std::int16_t value;
        std::uint8_t run;
        std::uint8_t length;  // code and value bits
    };
    FastCoefficient Fast(unsigned index) const { return m_fast[index]; }

    // The largest code of the given length (1 ... 16), or -1 when there is none.
    std::int32_t MaxCode(int length) const { return m_maxCode[length]; }
    // The symbol of a code of the given length known to be at most MaxCode(length).
    std::uint8_t Symbol(int length, std::int32_t code) const {
        return m_symbols[static_cast<std::size_t>(m_symbolOffset[length] + code)];
    }

private:
    void FillLookup(int length, std::int32_t code, std::uint8_t symbol);
    void FillFast();

    bool m_defined = false;
    std::array<std::uint16_t, 1 << kLookupBits> m_lookup{};
    std::array<FastCoefficient, 1 << kLookupBits> m_fast{};
    std::array<std::int32_t, 17> m_maxCode{};
    std::array<std::int32_t, 17> m_symbolOffset{};
    std::array<std::uint8_t, 256> m_symbols{};
};

}  // namespace picture::jpeg
