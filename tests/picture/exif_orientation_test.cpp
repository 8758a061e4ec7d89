#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "exif_builder.h"
#include "picture/orientation.h"

namespace picture {
namespace {

using namespace picture::testing;
using Bytes = std::vector<std::uint8_t>;

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& part : parts)
        out.insert(out.end(), part.begin(), part.end());
    return out;
}

const Bytes kSoi{0xFF, 0xD8};
const Bytes kJfif = Segment(0xE0, {'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0});
const Bytes kXmp = Segment(0xE1, Bytes{'h', 't', 't', 'p', ':', '/', '/', 'n', 's', 0});
const Bytes kFrame = Segment(0xC0, {8, 0, 16, 0, 16, 1, 1, 0x11, 0});
const Bytes kScan = Concat({Segment(0xDA, {1, 1, 0, 0, 63, 0}), Bytes{0x12, 0x34, 0xFF, 0xD9}});

// A camera's directory: the make first, the orientation among other tags.
Bytes CameraFile(bool bigEndian, std::uint32_t orientation, std::uint16_t type = kTypeShort) {
    const Bytes exif =
        Segment(0xE1, ExifPayload(bigEndian, {{0x010F, kTypeAscii, 4, 0x00414243},
                                              {0x0110, kTypeAscii, 4, 0x00444546},
                                              {kOrientationTag, type, 1, orientation},
                                              {0x011A, kTypeLong, 1, 72}}));
    return Concat({kSoi, kJfif, kXmp, exif, kFrame, kScan});
}

TEST(ExifOrientationTest, ReadsTheTagInBothByteOrders) {
    for (bool bigEndian : {false, true}) {
        for (std::uint32_t orientation = 1; orientation <= 8; ++orientation)
            EXPECT_EQ(ReadJpegExifOrientation(CameraFile(bigEndian, orientation)),
                      static_cast<int>(orientation))
                << (bigEndian ? "MM " : "II ") << orientation;
    }
    // Fill bytes before a marker are allowed.
    Bytes filled = CameraFile(true, 6);
    filled.insert(filled.begin() + 2, {0xFF, 0xFF});
    EXPECT_EQ(ReadJpegExifOrientation(filled), 6);
}

TEST(ExifOrientationTest, IsUprightWithoutAUsableTag) {
    EXPECT_EQ(ReadJpegExifOrientation(Concat({kSoi, kJfif, kXmp, kFrame, kScan})), 1);
    EXPECT_EQ(ReadJpegExifOrientation(Concat(
                  {kSoi, Segment(0xE1, ExifPayload(false, {{0x010F, kTypeAscii, 4, 0}})), kScan})),
              1);
    EXPECT_EQ(ReadJpegExifOrientation(CameraFile(false, 0)), 1);
    EXPECT_EQ(ReadJpegExifOrientation(CameraFile(true, 9)), 1);
    EXPECT_EQ(ReadJpegExifOrientation(CameraFile(false, 6, kTypeLong)), 1);
    // An Exif segment after the scan has begun is picture data, not a header.
    EXPECT_EQ(ReadJpegExifOrientation(Concat({kSoi, kScan, WithOrientation(Concat({kSoi}), 6)})),
              1);
    EXPECT_EQ(ReadJpegExifOrientation(Bytes{'B', 'M', 0xFF, 0xE1}), 1);
    EXPECT_EQ(ReadJpegExifOrientation(Bytes{}), 1);
}

// Exactly sized copies, so that a read past the end is caught by the address sanitizer.
TEST(ExifOrientationTest, ATruncatedFileNeverReadsPastItsEnd) {
    const Bytes file = CameraFile(false, 6);
    // Marker and length, "Exif\0\0", the TIFF header, the count, four entries, the link.
    const std::size_t exifEnd =
        kSoi.size() + kJfif.size() + kXmp.size() + 4 + 6 + 8 + 2 + 4 * 12 + 4;
    for (std::size_t cut = 0; cut < file.size(); ++cut) {
        const Bytes head(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(cut));
        EXPECT_EQ(ReadJpegExifOrientation(head), cut < exifEnd ? 1 : 6) << cut;
    }
}

TEST(ExifOrientationTest, OffsetsAndCountsOutOfRangeGiveUpright) {
    const auto fileWith = [](const Bytes& payload) {
        return Concat({kSoi, Segment(0xE1, payload), kScan});
    };
    const ExifEntry tag{kOrientationTag, kTypeShort, 1, 6};
    // Directory offsets beyond the segment, at its last byte, and wrapping 32 bits.
    for (std::uint32_t offset : {0xFFFFFFFFu, 0xFFFFFFF8u, 27u, 26u, 1000u})
        EXPECT_EQ(ReadJpegExifOrientation(fileWith(ExifPayload(true, {tag}, offset))), 1) << offset;
    // More entries than the segment holds: the tag would lie in the next segment.
    Bytes counted = ExifPayload(false, {{0x010F, kTypeAscii, 4, 0}});
    counted[14] = 0xFF;
    counted[15] = 0xFF;
    EXPECT_EQ(ReadJpegExifOrientation(
                  Concat({kSoi, Segment(0xE1, counted), Segment(0xE2, ExifPayload(false, {tag}))})),
              1);
    // A segment length below its own two bytes, or beyond the file.
    EXPECT_EQ(ReadJpegExifOrientation(Bytes{0xFF, 0xD8, 0xFF, 0xE1, 0x00, 0x01, 'E', 'x'}), 1);
    Bytes longer = fileWith(ExifPayload(false, {tag}));
    longer[4] = 0x7F;
    EXPECT_EQ(ReadJpegExifOrientation(longer), 1);
    // Not a TIFF header: a wrong byte-order mark or magic number.
    Bytes mark = ExifPayload(false, {tag});
    mark[6] = 'X';
    EXPECT_EQ(ReadJpegExifOrientation(fileWith(mark)), 1);
    Bytes magic = ExifPayload(true, {tag});
    magic[9] = 43;
    EXPECT_EQ(ReadJpegExifOrientation(fileWith(magic)), 1);
}

// Whatever a byte of the segment becomes, the reader answers a valid orientation.
TEST(ExifOrientationTest, EveryDamagedByteStillGivesAnOrientation) {
    const Bytes file = CameraFile(true, 3);
    for (std::size_t at = 0; at < file.size(); ++at) {
        for (std::uint8_t value : {0x00, 0x01, 0x7F, 0xFF}) {
            Bytes damaged = file;
            damaged[at] = value;
            const int orientation = ReadJpegExifOrientation(damaged);
            ASSERT_GE(orientation, 1) << at;
            ASSERT_LE(orientation, 8) << at;
        }
    }
}

}  // namespace
}  // namespace picture
