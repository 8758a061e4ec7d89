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
    m_refusedKind = false;
    m_endedEarly = false;
    m_adobeTransform = -1;
}

int JpegDecoder::ReadHeaders(const std::uint8_t* data, std::size_t length) {
    Clear();
    m_reader.Reset(data, data == nullptr ? 0 : length);
    try {
        ParseMarkers();
        return 0;
    } catch (const ENotSupported& error) {
        m_errorText = error.what();
        m_refusedKind = true;
    } catch (const EJpegError& error) {
        m_errorText = error.what();
    } catch (const std::bad_alloc&) {
        m_errorText = "out of memory";
    }
    // Whatever was read before the failure is not a picture to decode.
    m_flags &= ~kScanRead;
    return -1;
}

namespace {

// Three planes of width * height bytes, row after row without padding.
class PlaneTarget final : public jpeg::PixelTarget {
public:
    explicit PlaneTarget(std::array<std::unique_ptr<std::uint8_t[]>, 3>& planes)
        : m_planes(planes) {}

    bool Prepare(int width, int height, jpeg::PixelLayout& layout) override {
        const std::size_t size = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
        for (std::size_t i = 0; i < m_planes.size(); ++i) {
            try {
                m_planes[i] = std::make_unique_for_overwrite<std::uint8_t[]>(size);
            } catch (const std::bad_alloc&) {
                return false;
            }
            layout.origin[i] = m_planes[i].get();
        }
        layout.pixelStep = 1;
        layout.rowStep = width;
        return true;
    }

private:
    std::array<std::unique_ptr<std::uint8_t[]>, 3>& m_planes;
};

}  // namespace

int JpegDecoder::Decode() {
    PlaneTarget target(m_planes);
    const int result = DecodeInto(target);
    if (result != 0) {
        for (auto& plane : m_planes) {
            plane.reset();
        }
    }
    return result;
}

int JpegDecoder::DecodeInto(jpeg::PixelTarget& target) {
    for (auto& plane : m_planes) {
        plane.reset();
    }
    if ((m_flags & kScanRead) == 0) {
        m_errorText = "no scan to decode";
        return -2;
    }
    m_endedEarly = false;
    try {
        jpeg::ScanDecoder scan(m_frame, m_tables, m_transform);
        m_endedEarly = scan.Decode(m_reader.Position(), m_reader.End(), target);
        return 0;
    } catch (const ENotSupported& error) {
        m_errorText = error.what();
        m_refusedKind = true;
    } catch (const EJpegError& error) {
        m_errorText = error.what();
    } catch (const std::bad_alloc&) {
        m_errorText = "out of memory";
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
        case 0xEE:
            ReadApp14();
            return 0;
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
