#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace testsupport::jpeg {

// A Huffman table as a DHT segment carries it, with the codes an encoder writes.
struct HuffmanCode {
    std::array<std::uint8_t, 16> counts{};  // codes of length 1 ... 16
    std::vector<std::uint8_t> symbols;      // in code order
    std::array<std::uint16_t, 256> code{};
    std::array<std::uint8_t, 256> length{};  // 0: the symbol has no code
};

namespace detail {

// Code lengths of an optimal prefix code, built by repeatedly merging the two rarest trees.
// Symbol 256 is a reserved extra with the smallest count so that no real code is all ones.
inline std::array<int, 257> OptimalLengths(std::array<std::int64_t, 257> frequency) {
    std::array<int, 257> length{};
    std::array<int, 257> next;
    next.fill(-1);
    frequency[256] = 1;
    for (;;) {
        int a = -1;
        int b = -1;
        for (int i = 0; i < 257; ++i) {
            if (frequency[i] == 0) {
                continue;
            }
            if (a < 0 || frequency[i] <= frequency[a]) {
                b = a;
                a = i;
            } else if (b < 0 || frequency[i] <= frequency[b]) {
                b = i;
            }
        }
        if (b < 0) {
            return length;
        }
        frequency[a] += frequency[b];
        frequency[b] = 0;
        // Every symbol of both trees moves one level deeper; the trees become one chain.
        int tail = a;
        for (int s = a;; s = next[s]) {
            ++length[s];
            tail = s;
            if (next[s] < 0) {
                break;
            }
        }
        next[tail] = b;
        for (int s = b; s >= 0; s = next[s]) {
            ++length[s];
        }
    }
}

// Moves codes longer than 16 bits up, keeping the code complete, then drops the reserved code.
inline std::array<int, 33> LimitedCounts(const std::array<int, 257>& length) {
    std::array<int, 33> count{};
    for (int l : length) {
        if (l > 0) {
            ++count[l];
        }
    }
    for (int i = 32; i > 16; --i) {
        while (count[i] > 0) {
            int j = i - 2;
            while (count[j] == 0) {
                --j;
            }
            count[i] -= 2;
            count[i - 1] += 1;
            count[j + 1] += 2;
            count[j] -= 1;
        }
    }
    int longest = 16;
    while (count[longest] == 0) {
        --longest;
    }
    --count[longest];
    return count;
}

}  // namespace detail

// The table an encoder would build for these symbol frequencies (index = symbol).
inline HuffmanCode BuildHuffmanCode(const std::array<std::int64_t, 256>& frequency) {
    std::array<std::int64_t, 257> all{};
    std::copy(frequency.begin(), frequency.end(), all.begin());
    const std::array<int, 257> length = detail::OptimalLengths(all);
    const std::array<int, 33> count = detail::LimitedCounts(length);
    HuffmanCode table;
    // Symbols by their unlimited length, then by value; the limited counts are handed out in
    // that order, so the commonest symbols keep the shortest codes.
    for (int l = 1; l <= 32; ++l) {
        for (int s = 0; s < 256; ++s) {
            if (length[s] == l) {
                table.symbols.push_back(static_cast<std::uint8_t>(s));
            }
        }
    }
    std::uint32_t code = 0;
    std::size_t index = 0;
    for (int l = 1; l <= 16; ++l) {
        table.counts[l - 1] = static_cast<std::uint8_t>(count[l]);
        for (int i = 0; i < count[l]; ++i, ++index, ++code) {
            const std::uint8_t s = table.symbols[index];
            table.code[s] = static_cast<std::uint16_t>(code);
            table.length[s] = static_cast<std::uint8_t>(l);
        }
        code <<= 1;
    }
    return table;
}

}  // namespace testsupport::jpeg
