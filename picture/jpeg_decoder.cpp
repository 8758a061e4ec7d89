#include "picture/jpeg_decoder.h"

#include <new>

#include "picture/jpeg_errors.h"

namespace picture {

void JpegDecoder::Clear() {
    m_flags = 0;
    m_frame = {};
    m_tables = {};
    m_jfif = {};
    m_comment.clear();
    for (auto& plane : m_planes) {
        plane.reset();
    }
    m_errorText.clear();
}

int JpegDecoder::ReadHeaders(const std::uint8_t* data, std::size_t length) {
    Clear();
    m_reader.Reset(data, data == nullptr ? 0 : length);
    try {
        ParseMarkers();
        return 0;
    } catch (const EJpegError& error) {
        m_errorText = error.what();
    } catch (const std::bad_alloc&) {
        m_errorText = "out of memory";
    }
    // Whatever was read before the failure is not a picture to decode.
    m_flags &= ~kScanRead;
    return -1;
}

int JpegDecoder::Decode() {
    for (auto& plane : m_planes) {
        plane.reset();
    }
    if ((m_flags & kScanRead) == 0) {
        m_errorText = "no scan to decode";
        return -2;
    }
    try {
        jpeg::ScanDecoder scan(m_frame, m_tables, m_transform);
        scan.Decode(m_reader.Position(), m_reader.End(), m_planes);
        return 0;
    } catch (const EJpegError& error) {
        m_errorText = error.what();
    } catch (const std::bad_alloc&) {
        m_errorText = "out of memory";
    }
    for (auto& plane : m_planes) {
        plane.reset();
    }
    return -1;
}

const std::uint8_t* JpegDecoder::Plane(int index) const {
    if (index < 0 || index >= static_cast<int>(m_planes.size())) {
        return nullptr;
    }
    return m_planes[static_cast<std::size_t>(index)].get();
}

// Searches for the start of the picture, then handles segments until the first scan begins or
// the picture ends.
void JpegDecoder::ParseMarkers() {
    while (m_reader.NextMarker() != 0xD8) {
    }
    for (;;) {
        const int marker = m_reader.NextMarker();
        if (marker == 0xD9) {
            return;
        }
        m_flags |= HandleMarker(marker);
        if (m_flags & kScanRead) {
            return;
        }
    }
}

int JpegDecoder::HandleMarker(int marker) {
    switch (marker) {
        case 0xC0:
            ReadFrame();
            return 0;
        case 0xC4:
            ReadHuffmanTables();
            return kHuffmanTableRead;
        case 0xDB:
            ReadQuantisationTables();
            return kQuantisationTableRead;
        case 0xDA:
            ReadScan();
            return kScanRead;
        case 0xDD:
            ReadRestartInterval();
            return 0;
        case 0xDC:
            ReadLineCount();
            return 0;
        case 0xE0:
            ReadApp0();
            return m_jfif.kind == 1 ? kJfifRead : 0;
        case 0xFE:
            ReadComment();
            return kCommentRead;
        default:
            break;
    }
    if (marker >= 0xE1 && marker <= 0xEF) {
        SkipSegment();
        return 0;
    }
    // The other frame types (extended, progressive, lossless, hierarchical, arithmetic-coded)
    // are valid pictures this decoder does not handle; every other marker is out of place.
    const bool otherFrame = marker >= 0xC1 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8;
    if (otherFrame) {
        throw ENotSupported("Marker error");
    }
    throw EDataFormatError("Marker error");
}

}  // namespace picture
