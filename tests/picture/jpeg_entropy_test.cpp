#include <gtest/gtest.h>

#include <string>

#include "jpeg_test_util.h"

namespace picture::testing {
namespace {

// An 8 x 8 grey picture with all quantisation entries 1, one DC and one AC table whose codes
// are 0, 10, 110, ... for the symbols in the order given, and the given entropy-coded bytes.
Bytes TinyGrey(const Bytes& dcSymbols, const Bytes& acSymbols, const Bytes& scan) {
    Bytes file{0xFF, 0xD8, 0xFF, 0xDB, 0x00, 0x43, 0x00};
    file.insert(file.end(), 64, 1);
    file.insert(file.end(), {0xFF, 0xC0, 0x00, 0x0B, 8, 0, 8, 0, 8, 1, 1, 0x11, 0});
    for (int tableClass = 0; tableClass < 2; ++tableClass) {
        const Bytes& symbols = tableClass == 0 ? dcSymbols : acSymbols;
        file.insert(file.end(), {0xFF, 0xC4, 0x00, static_cast<std::uint8_t>(19 + symbols.size()),
                                 static_cast<std::uint8_t>(tableClass << 4)});
        for (std::size_t length = 1; length <= 16; ++length) {
            file.push_back(length <= symbols.size() ? 1 : 0);
        }
        file.insert(file.end(), symbols.begin(), symbols.end());
    }
    file.insert(file.end(), {0xFF, 0xDA, 0x00, 0x08, 1, 1, 0x00, 0, 63, 0});
    file.insert(file.end(), scan.begin(), scan.end());
    file.insert(file.end(), {0xFF, 0xD9});
    return file;
}

void ExpectDecodeRefused(const Bytes& file, const std::string& text) {
    JpegDecoder decoder;
    ASSERT_EQ(decoder.ReadHeaders(file.data(), file.size()), 0) << decoder.ErrorText();
    EXPECT_EQ(decoder.Decode(), -1);
    EXPECT_EQ(decoder.ErrorText(), text);
    EXPECT_EQ(decoder.Plane(0), nullptr);
}

TEST(JpegEntropy, SmallestValidScan) {
    // DC difference 0, then end of block: every sample is the level shift.
    const Decoded decoded = DecodeJpeg(TinyGrey({0}, {0x00}, {0x3F}));
    ASSERT_TRUE(decoded.Ok()) << decoded.decoder->ErrorText();
    EXPECT_EQ(decoded.Pixel(7, 7), (std::array<int, 3>{128, 128, 128}));
}

TEST(JpegEntropy, BrokenCodedValues) {
    // 0x10: a run of one with no value, which only 0xF0 may be.
    ExpectDecodeRefused(TinyGrey({0}, {0x10}, {0x00}), "DecodeHuffman:wrong Huffman value");
    // Runs of 15 zeros and a value: the fourth would end past coefficient 63.
    ExpectDecodeRefused(TinyGrey({0}, {0xF1}, {0x00, 0x00}), "DecodeHuffman:wrong Run length");
    // A DC difference of more than 15 bits.
    ExpectDecodeRefused(TinyGrey({16}, {0x00}, {0x00, 0x00, 0x00}),
                        "DecodeHuffman:wrong Huffman value");
    // After the DC code 0, the bits 1111... match no AC code.
    ExpectDecodeRefused(TinyGrey({0}, {0x00}, {0x7F, 0xFF, 0x00, 0xFF, 0x00}),
                        "Decode1HuffmanCode:length over");
}

// Sixteen zeros (0xF0) followed by a value land exactly on coefficient 63.
TEST(JpegEntropy, ZeroRunsReachTheLastCoefficient) {
    // DC 0 | F0 F0 F0 (k = 49) | 0xE1: 14 zeros, value 1 at k = 63.
    // Codes: DC '0'; AC F0 '0', E1 '10'; value bit '1'.
    const Decoded decoded = DecodeJpeg(TinyGrey({0}, {0xF0, 0xE1}, {0x0B, 0xFF, 0x00}));
    ASSERT_TRUE(decoded.Ok()) << decoded.decoder->ErrorText();
}

// A marker where entropy-coded bits are still needed ends the decoding; it is not a
// truncation.
TEST(JpegEntropy, MarkerInsideTheScanData) {
    Bytes file = EncodeJpeg(Photo(48, 48), Sampling(2, 2));
    const std::size_t data = ScanDataOffset(file);
    file.resize(data + (file.size() - data) / 2);
    file.insert(file.end(), {0xFF, 0xD9});
    JpegDecoder decoder;
    ASSERT_EQ(decoder.ReadHeaders(file.data(), file.size()), 0);
    EXPECT_EQ(decoder.Decode(), -1);
}

}  // namespace
}  // namespace picture::testing
