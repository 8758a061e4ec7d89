#pragma once

// The entropy-coding side of the test encoder: the same pass counts symbols for the tables and
// then writes them.

#include <array>
#include <cstdint>
#include <vector>

#include "support/jpeg_encoder_blocks.h"
#include "support/jpeg_huffman_builder.h"

namespace testsupport::jpeg {
namespace detail {

using Bytes = std::vector<std::uint8_t>;

// Entropy-coded bits with 0xFF bytes stuffed; a flush pads the last byte with ones.
class BitWriter {
public:
    explicit BitWriter(Bytes& out) : m_out(out) {}

    void Put(std::uint32_t bits, int count) {
        for (int i = count - 1; i >= 0; --i) {
            m_byte = static_cast<std::uint8_t>(m_byte << 1 | ((bits >> i) & 1));
            if (++m_used == 8) {
                Emit();
            }
        }
    }

    void Flush() {
        while (m_used != 0) {
            Put(1, 1);
        }
    }

private:
    void Emit() {
        m_out.push_back(m_byte);
        if (m_byte == 0xFF) {
            m_out.push_back(0);
        }
        m_byte = 0;
        m_used = 0;
    }

    Bytes& m_out;
    std::uint8_t m_byte = 0;
    int m_used = 0;
};

using TableSet = std::array<std::array<HuffmanCode, 4>, 2>;  // [DC, AC][destination]
using FrequencySet = std::array<std::array<std::array<std::int64_t, 256>, 4>, 2>;

struct CountingSink {
    FrequencySet frequency{};
    void Symbol(int tableClass, int destination, int symbol) {
        ++frequency[tableClass][destination][symbol];
    }
    void Bits(std::uint32_t, int) {}
    void Restart(int) {}
};

struct WritingSink {
    Bytes& out;
    BitWriter bits;
    const TableSet& tables;
    void Symbol(int tableClass, int destination, int symbol) {
        const HuffmanCode& table = tables[tableClass][destination];
        bits.Put(table.code[symbol], table.length[symbol]);
    }
    void Bits(std::uint32_t value, int count) { bits.Put(value, count); }
    void Restart(int number) {
        bits.Flush();
        out.push_back(0xFF);
        out.push_back(static_cast<std::uint8_t>(0xD0 + number));
    }
};

template <class Sink>
void CodeBlock(const CodedBlock& block, int& predictor, const EncodeOptions& options, Sink& sink) {
    const int c = block.component;
    const int difference = block.values[0] - predictor;
    predictor = block.values[0];
    const int dcSize = SizeOf(difference);
    sink.Symbol(0, options.dcTable[c], dcSize);
    sink.Bits(ValueBits(difference, dcSize), dcSize);
    int run = 0;
    for (int k = 1; k < 64; ++k) {
        const int value = std::clamp(block.values[k], -1023, 1023);
        if (value == 0) {
            ++run;
            continue;
        }
        for (; run > 15; run -= 16) {
            sink.Symbol(1, options.acTable[c], 0xF0);
        }
        const int size = SizeOf(value);
        sink.Symbol(1, options.acTable[c], run << 4 | size);
        sink.Bits(ValueBits(value, size), size);
        run = 0;
    }
    if (run > 0) {
        sink.Symbol(1, options.acTable[c], 0x00);
    }
}

template <class Sink>
void CodeBlocks(const std::vector<CodedBlock>& blocks, int blocksPerMcu,
                const EncodeOptions& options, Sink& sink) {
    std::array<int, 3> predictor{};
    int restarts = 0;
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        const std::size_t mcu = i / blocksPerMcu;
        if (options.restartInterval > 0 && i % blocksPerMcu == 0 && mcu > 0 &&
            mcu % options.restartInterval == 0) {
            sink.Restart(restarts++ & 7);
            predictor = {};
        }
        CodeBlock(blocks[i], predictor[blocks[i].component], options, sink);
    }
}

}  // namespace detail
}  // namespace testsupport::jpeg
