// Segments that carry no picture data of their own (APP0, comments, application data) and the
// small ones that change how the scan is read (restart interval, number of lines).
#include <string>

#include "picture/jpeg_decoder.h"
#include "picture/jpeg_errors.h"

namespace picture {

using namespace std::string_literals;

// Every segment's length counts its own two bytes.
std::size_t JpegDecoder::SegmentLength() {
    const int length = m_reader.GetWord();
    if (length < 2) {
        throw EDataFormatError("Segment length");
    }
    return static_cast<std::size_t>(length - 2);
}

// Bytes a segment holds beyond the fields read are passed over, so that they cannot be taken
// for markers.
void JpegDecoder::SkipToSegmentEnd(std::size_t segmentEnd) {
    if (m_reader.Offset() < segmentEnd) {
        m_reader.SkipBytes(segmentEnd - m_reader.Offset());
    }
}

void JpegDecoder::SkipSegment() {
    m_reader.SkipBytes(SegmentLength());
}

// A JFIF or JFXX segment too short for its fields is passed over by its own length.
void JpegDecoder::ReadApp0() {
    const std::size_t length = SegmentLength();
    const std::size_t end = m_reader.Offset() + length;
    if (length >= 5) {
        const std::string identifier = m_reader.CopyBytes(5);
        if (identifier == "JFIF\0"s && length >= 14) {
            m_jfif.kind = 1;
            m_jfif.versionMajor = m_reader.GetByte();
            m_jfif.versionMinor = m_reader.GetByte();
            m_jfif.units = m_reader.GetByte();
            m_jfif.xDensity = m_reader.GetWord();
            m_jfif.yDensity = m_reader.GetWord();
            m_jfif.thumbnailWidth = m_reader.GetByte();
            m_jfif.thumbnailHeight = m_reader.GetByte();
        } else if (identifier == "JFXX\0"s && length >= 6) {
            m_jfif.kind = 2;
            m_jfif.extensionCode = m_reader.GetByte();
        }
    }
    SkipToSegmentEnd(end);
}

// An Adobe segment names the colour transform of the components: 0 stores R, G, B as they are.
// A segment too short for it is passed over.
void JpegDecoder::ReadApp14() {
    const std::size_t length = SegmentLength();
    const std::size_t end = m_reader.Offset() + length;
    if (length >= 12 && m_reader.CopyBytes(5) == "Adobe") {
        m_reader.SkipBytes(6);  // version and the two flag words
        m_adobeTransform = m_reader.GetByte();
    }
    SkipToSegmentEnd(end);
}

void JpegDecoder::ReadComment() {
    m_comment = m_reader.CopyBytes(SegmentLength());
}

void JpegDecoder::ReadRestartInterval() {
    const std::size_t length = SegmentLength();
    const std::size_t end = m_reader.Offset() + length;
    m_tables.restartInterval = m_reader.GetWord();
    SkipToSegmentEnd(end);
}

void JpegDecoder::ReadLineCount() {
    const std::size_t length = SegmentLength();
    const std::size_t end = m_reader.Offset() + length;
    m_frame.height = m_reader.GetWord();
    SkipToSegmentEnd(end);
}

}  // namespace picture
