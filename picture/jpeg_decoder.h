#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "picture/jpeg_byte_reader.h"
#include "picture/jpeg_frame.h"
#include "picture/jpeg_scan.h"

namespace picture {

// What an APP0 segment said. Kept for information; decoding does not use it.
struct JfifInfo {
    int kind = 0;  // 0 none, 1 JFIF, 2 JFXX
    int versionMajor = 0;
    int versionMinor = 0;
    int units = 0;
    int xDensity = 1;
    int yDensity = 1;
    int thumbnailWidth = 0;
    int thumbnailHeight = 0;
    int extensionCode = 0;  // JFXX only
};

// A baseline JPEG decoder: sequential DCT, Huffman coding, 8-bit samples, one scan holding one
// or three components. Progressive, arithmetic-coded, lossless and hierarchical pictures are
// refused. The result is three full-size planes: red, green and blue.
class JpegDecoder {
public:
    // Bits of Flags(): which segments header parsing met.
    enum : int {
        kHuffmanTableRead = 1,
        kQuantisationTableRead = 2,
        kJfifRead = 4,
        kCommentRead = 8,
        kScanRead = 16,
    };

    // Parses the markers of the buffer (which must outlive Decode) up to and including the
    // first start of scan, or an end of picture. 0 on success, negative on failure.
    int ReadHeaders(const std::uint8_t* data, std::size_t length);
    // Decodes the scan that ReadHeaders stopped at into the planes. 0 on success, -2 when there
    // was no scan, -1 on any other failure.
    int Decode();
    // The same, into memory the target provides (the planes stay empty). What the target holds
    // after a failure is undefined.
    int DecodeInto(jpeg::PixelTarget& target);

    int Width() const { return m_frame.width; }
    int Height() const { return m_frame.height; }
    // 0 red, 1 green, 2 blue: Width() bytes a row, Height() rows, top row first; null until a
    // Decode succeeds.
    const std::uint8_t* Plane(int index) const;

    int Flags() const { return m_flags; }
    const JfifInfo& Jfif() const { return m_jfif; }
    // The text of the last comment segment.
    const std::string& Comment() const { return m_comment; }
    int RestartInterval() const { return m_tables.restartInterval; }
    // The failing step of the last failed call, for diagnostics; never shown to the user.
    const std::string& ErrorText() const { return m_errorText; }
    // After a failed call: whether the file is a sound JPEG of a kind this decoder does not
    // handle (progressive, arithmetic-coded, 12-bit, four components, several scans) rather
    // than a damaged one.
    bool RefusedKind() const { return m_refusedKind; }
    // After a successful decode: whether the data ended before the last MCU. The MCUs from the
    // one the data ran out in are grey.
    bool EndedEarly() const { return m_endedEarly; }
    // The colour transform of an Adobe segment: 0 none (the three components are R, G, B),
    // 1 YCbCr; -1 without such a segment.
    int AdobeTransform() const { return m_adobeTransform; }

    // Replaces the fast inverse transform, so that tests can compare it with the direct form.
    void SetBlockTransform(jpeg::BlockTransform transform) { m_transform = transform; }

private:
    void ParseMarkers();
    int HandleMarker(int marker);
    std::size_t SegmentLength();
    void SkipToSegmentEnd(std::size_t segmentEnd);
    void SkipSegment();
    void ReadFrame();
    void ReadFrameComponents();
    void ReadHuffmanTables();
    void ReadHuffmanTable(std::size_t segmentEnd);
    void ReadQuantisationTables();
    void ReadScan();
    void CheckFrameForScan() const;
    void CheckScanTables() const;
    void ReadRestartInterval();
    void ReadLineCount();
    void ReadApp0();
    void ReadApp14();
    void ReadComment();
    void Clear();

    JpegByteReader m_reader;
    int m_flags = 0;
    jpeg::Frame m_frame;
    jpeg::CodingTables m_tables;
    JfifInfo m_jfif;
    std::string m_comment;
    std::array<std::unique_ptr<std::uint8_t[]>, 3> m_planes;
    jpeg::BlockTransform m_transform = nullptr;
    std::string m_errorText;
    bool m_refusedKind = false;
    bool m_endedEarly = false;
    int m_adobeTransform = -1;
};

}  // namespace picture
