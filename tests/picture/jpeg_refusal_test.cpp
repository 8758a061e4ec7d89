#include <gtest/gtest.h>

#include <string>

#include "jpeg_test_util.h"

namespace picture::testing {
namespace {

Bytes Insert(Bytes file, std::size_t at, const Bytes& bytes) {
    file.insert(file.begin() + static_cast<std::ptrdiff_t>(at), bytes.begin(), bytes.end());
    return file;
}

// A 16 x 16 4:2:0 picture: Y 2 x 2, Cb and Cr 1 x 1, Huffman tables 0 and 1.
Bytes Colour() {
    return EncodeJpeg(Photo(16, 16), Sampling(2, 2));
}

std::size_t Sof(const Bytes& file) {
    return MarkerOffset(file, 0xC0);
}
std::size_t Sos(const Bytes& file) {
    return MarkerOffset(file, 0xDA);
}

void PutWord(Bytes& file, std::size_t at, int value) {
    file[at] = static_cast<std::uint8_t>(value >> 8);
    file[at + 1] = static_cast<std::uint8_t>(value);
}

// The header stage refuses the file; the text names the failing step.
void ExpectHeaderRefused(const Bytes& file, const std::string& text) {
    JpegDecoder decoder;
    EXPECT_LT(decoder.ReadHeaders(file.data(), file.size()), 0);
    EXPECT_EQ(decoder.ErrorText(), text);
    EXPECT_EQ(decoder.Decode(), -2);
}

TEST(JpegHeaderRefusal, OtherFrameTypesAreMarkerErrors) {
    for (std::uint8_t frameType : {0xC1, 0xC2, 0xC3, 0xC9, 0xCF}) {
        Bytes file = Colour();
        file[Sof(file) + 1] = frameType;
        ExpectHeaderRefused(file, "Marker error");
    }
}

// 0xFF 0xFF in front of a marker makes the search report 0xFF, which no handler takes.
TEST(JpegHeaderRefusal, FillByteBeforeAMarker) {
    const Bytes file = Colour();
    ExpectHeaderRefused(Insert(file, MarkerOffset(file, 0xDB), {0xFF}), "Marker error");
}

TEST(JpegHeaderRefusal, SamplesOtherThan8Bits) {
    Bytes file = Colour();
    file[Sof(file) + 4] = 12;
    ExpectHeaderRefused(file, "AnalysisSOF:P");
}

TEST(JpegHeaderRefusal, EmptyPicture) {
    for (std::size_t field : {5u, 7u}) {  // lines, samples per line
        Bytes file = Colour();
        PutWord(file, Sof(file) + field, 0);
        ExpectHeaderRefused(file, "AnalysisScan:empty picture");
    }
}

TEST(JpegHeaderRefusal, MoreThanOneHundredMillionPixels) {
    Bytes file = Colour();
    PutWord(file, Sof(file) + 5, 10000);
    PutWord(file, Sof(file) + 7, 10001);
    ExpectHeaderRefused(file, "AnalysisScan:picture too large");

    // Exactly the limit passes the headers; the scan, far too short for it, does not decode
    // and nothing is allocated for it.
    PutWord(file, Sof(file) + 7, 10000);
    JpegDecoder decoder;
    ASSERT_EQ(decoder.ReadHeaders(file.data(), file.size()), 0);
    EXPECT_EQ(decoder.Decode(), -1);
    EXPECT_EQ(decoder.ErrorText(), "Decode:scan too short for the frame");
}

TEST(JpegHeaderRefusal, SamplingFactorsOtherThanOneOrTheLargest) {
    Bytes file = Colour();
    file[Sof(file) + 10 + 1] = 0x41;  // Y 4 x 1
    file[Sof(file) + 13 + 1] = 0x21;  // Cb 2 x 1: neither 1 nor 4
    ExpectHeaderRefused(file, "AnalysisScan:sampling factors");

    file = Colour();
    file[Sof(file) + 13 + 1] = 0x10;
    ExpectHeaderRefused(file, "AnalysisScan:sampling factor");

    // Y 2 x 2, Cb 1 x 2, Cr 2 x 1: each factor is 1 or the largest.
    file = Colour();
    file[Sof(file) + 13 + 1] = 0x12;
    file[Sof(file) + 16 + 1] = 0x21;
    JpegDecoder decoder;
    EXPECT_EQ(decoder.ReadHeaders(file.data(), file.size()), 0) << decoder.ErrorText();
}

TEST(JpegHeaderRefusal, ComponentCountsOtherThanOneOrThree) {
    for (std::uint8_t count : {0, 2, 4}) {
        Bytes file = Colour();
        file[Sof(file) + 9] = count;
        ExpectHeaderRefused(file, "AnalysisSOF:Nf");
    }
}

TEST(JpegHeaderRefusal, ScanComponentsThatDoNotMatchTheFrame) {
    Bytes file = Colour();
    file[Sos(file) + 5] = 9;  // Y's selector
    ExpectHeaderRefused(file, "AnalysisScan:components");

    file = Colour();
    std::swap(file[Sos(file) + 7], file[Sos(file) + 9]);  // Cr listed before Cb
    ExpectHeaderRefused(file, "AnalysisScan:components");

    file = Colour();
    file[Sos(file) + 4] = 1;
    ExpectHeaderRefused(file, "AnalysisScan:components");
}

TEST(JpegHeaderRefusal, TableSelectorsThatNameNoTable) {
    Bytes file = Colour();
    file[Sos(file) + 6] = 0x30;
    ExpectHeaderRefused(file, "AnalysisScan:Td Over");
    file[Sos(file) + 6] = 0x03;
    ExpectHeaderRefused(file, "AnalysisScan:Ta Over");
    file[Sos(file) + 6] = 0x20;  // in range, never defined
    ExpectHeaderRefused(file, "AnalysisScan:no such table");
    file = Colour();
    file[Sof(file) + 10 + 2] = 3;  // quantisation table 3
    ExpectHeaderRefused(file, "AnalysisScan:no such table");
    file[Sof(file) + 10 + 2] = 7;
    ExpectHeaderRefused(file, "AnalysisScan:no such table");
}

// A DHT segment put right after SOI: class and destination, counts, symbols.
Bytes WithHuffmanTable(int classAndDestination, const std::array<std::uint8_t, 16>& counts) {
    int total = 0;
    for (std::uint8_t count : counts) {
        total += count;
    }
    Bytes segment{0xFF, 0xC4, 0, 0, static_cast<std::uint8_t>(classAndDestination)};
    segment.insert(segment.end(), counts.begin(), counts.end());
    for (int i = 0; i < total; ++i) {
        segment.push_back(static_cast<std::uint8_t>(i));
    }
    PutWord(segment, 2, static_cast<int>(segment.size()) - 2);
    return Insert(Colour(), 2, segment);
}

TEST(JpegHeaderRefusal, BrokenHuffmanTables) {
    std::array<std::uint8_t, 16> tooMany{};
    tooMany[15] = 255;
    tooMany[14] = 2;
    ExpectHeaderRefused(WithHuffmanTable(0x00, tooMany), "AnalysisDHT:Size Table Index over");

    std::array<std::uint8_t, 16> threeOneBitCodes{3};
    ExpectHeaderRefused(WithHuffmanTable(0x01, threeOneBitCodes), "AnalysisDHT:Huffman code over");
    std::array<std::uint8_t, 16> overflowLater{1, 1, 1, 1, 1, 1, 1, 1, 3};
    ExpectHeaderRefused(WithHuffmanTable(0x11, overflowLater), "AnalysisDHT:Huffman code over");

    std::array<std::uint8_t, 16> valid{0, 2, 3};
    ExpectHeaderRefused(WithHuffmanTable(0x20, valid), "AnalysisDHT:Tc");
    ExpectHeaderRefused(WithHuffmanTable(0x04, valid), "AnalysisDHT:Th");

    // All 256 symbols is a table like any other.
    std::array<std::uint8_t, 16> full{};
    full[7] = 255;
    full[8] = 1;
    const Bytes file = WithHuffmanTable(0x13, full);
    EXPECT_TRUE(DecodeJpeg(file).Ok());
}

TEST(JpegHeaderRefusal, ScanWithoutAFrame) {
    Bytes file = Colour();
    const std::size_t sof = Sof(file);
    const std::size_t length = 2 + (file[sof + 2] << 8 | file[sof + 3]);
    file.erase(file.begin() + static_cast<std::ptrdiff_t>(sof),
               file.begin() + static_cast<std::ptrdiff_t>(sof + length));
    ExpectHeaderRefused(file, "AnalysisScan:no frame");
}

TEST(JpegHeaderRefusal, NoStartOfPictureOrNothingAfterIt) {
    ExpectHeaderRefused({0x00, 0x11, 0xFF, 0x00, 0xFF}, "GetByte");
    ExpectHeaderRefused({}, "GetByte");
    ExpectHeaderRefused({0xFF, 0xD8, 0xFF, 0xDB, 0x00}, "GetWord");
}

TEST(JpegHeaderRefusal, SegmentShorterThanItsLengthField) {
    const Bytes file = Colour();
    ExpectHeaderRefused(Insert(file, 2, {0xFF, 0xE1, 0x00, 0x01}), "Segment length");
}

// Tables and an end of picture, but no scan: the headers are fine, there is nothing to decode.
TEST(JpegDecodeRefusal, TablesWithoutAScan) {
    Bytes file = Colour();
    file.resize(Sof(file));
    file.insert(file.end(), {0xFF, 0xD9});
    JpegDecoder decoder;
    ASSERT_EQ(decoder.ReadHeaders(file.data(), file.size()), 0);
    EXPECT_EQ(decoder.Flags(), JpegDecoder::kJfifRead | JpegDecoder::kQuantisationTableRead);
    EXPECT_EQ(decoder.Decode(), -2);
    EXPECT_EQ(decoder.Plane(0), nullptr);
}

TEST(JpegSegments, App0ShorterThanItsFieldsIsSkippedByItsLength) {
    EncodeOptions options;
    options.jfif = false;
    const Bytes file = EncodeJpeg(Photo(16, 16), options);
    for (const Bytes& segment :
         {Bytes{0xFF, 0xE0, 0x00, 0x02}, Bytes{0xFF, 0xE0, 0x00, 0x05, 'J', 'F', 'I'},
          Bytes{0xFF, 0xE0, 0x00, 0x09, 'J', 'F', 'I', 'F', 0, 1, 2},
          Bytes{0xFF, 0xE0, 0x00, 0x07, 'J', 'F', 'X', 'X', 0}}) {
        const Decoded decoded = DecodeJpeg(Insert(file, 2, segment));
        ASSERT_TRUE(decoded.Ok()) << decoded.decoder->ErrorText();
        EXPECT_EQ(decoded.decoder->Jfif().kind, 0);
    }
}

// DNL before the scan gives the number of lines.
TEST(JpegSegments, LineCountSegmentReplacesTheHeight) {
    const Bytes file = EncodeJpeg(Photo(16, 48), Sampling(2, 2));
    const Decoded full = DecodeJpeg(file);
    const Decoded cut = DecodeJpeg(Insert(file, Sos(file), {0xFF, 0xDC, 0x00, 0x04, 0x00, 0x11}));
    ASSERT_TRUE(cut.Ok()) << cut.decoder->ErrorText();
    EXPECT_EQ(cut.decoder->Height(), 17);
    for (int plane = 0; plane < 3; ++plane) {
        EXPECT_TRUE(std::equal(cut.decoder->Plane(plane), cut.decoder->Plane(plane) + 16 * 17,
                               full.decoder->Plane(plane)));
    }
}

}  // namespace
}  // namespace picture::testing
