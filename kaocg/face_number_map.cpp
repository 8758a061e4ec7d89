#include "kaocg/face_number_map.h"

#include <array>
#include <span>

namespace kaocg_func {
namespace {

struct FaceRange {
    std::int32_t first;
    std::int32_t end;      // exclusive
    std::int32_t base[3];  // first face CG id for small, medium, large
};

// Rows 1..8: the stock faces the game ships; row 9: the 1100 edit slots.
constexpr std::array<FaceRange, 9> kBaseRanges{{
    {0, 1192, {6218, 4761, 3304}},
    {4000, 4024, {7410, 5953, 4496}},
    {5001, 5013, {7433, 5976, 4519}},
    {6000, 6027, {7445, 5988, 4531}},
    {6050, 6052, {7472, 6015, 4558}},
    {6090, 6095, {7474, 6017, 4560}},
    {7000, 7016, {7479, 6022, 4565}},
    {8000, 8180, {7495, 6038, 4581}},
    {1700, 2800, {2203, 1102, 1}},
}};

constexpr std::array<FaceRange, 9> kZVRanges{{
    {0, 1338, {6502, 4903, 3304}},
    {4000, 4024, {7819, 6220, 4621}},
    {5001, 5013, {7843, 6244, 4645}},
    {6000, 6036, {7855, 6256, 4657}},
    {6050, 6052, {7891, 6292, 4693}},
    {6095, 6106, {7893, 6294, 4695}},
    {7000, 7016, {7904, 6305, 4706}},
    {8000, 8180, {7920, 6321, 4722}},
    {1700, 2800, {2203, 1102, 1}},
}};

// The ZV edition shares the pictures of 1198..1337 with the numbers 21 lower.
constexpr std::int32_t kZVGapFirst = 1198;
constexpr std::int32_t kZVGapLast = 1337;
constexpr std::int32_t kZVGapShift = 21;

std::span<const FaceRange> RangesOf(int edition) {
    return edition == kEditionZV ? std::span<const FaceRange>(kZVRanges)
                                 : std::span<const FaceRange>(kBaseRanges);
}

constexpr std::size_t kStockRows = 8;

}  // namespace

std::int32_t FaceCgIdOf(int edition, std::int32_t faceNumber, int size) {
    if (size < kSizeSmall || size > kSizeLarge) {
        return -1;
    }
    for (const FaceRange& row : RangesOf(edition)) {
        if (row.first <= faceNumber && faceNumber < row.end) {
            std::int32_t n = faceNumber;
            if (edition == kEditionZV && n >= kZVGapFirst && n <= kZVGapLast) {
                n -= kZVGapShift;
            }
            return row.base[size] - row.first + n;
        }
    }
    return -1;
}

std::int32_t StockSmallFirst(int edition) {
    return edition == kEditionZV ? 6502 : 6218;
}
std::int32_t StockSmallLast(int edition) {
    return edition == kEditionZV ? 8099 : 7673;
}
std::int32_t StockCount(int edition) {
    return StockSmallLast(edition) - StockSmallFirst(edition) + 1;
}

std::int32_t StockFirst(int edition, int size) {
    switch (size) {
        case kSizeSmall:
            return StockSmallFirst(edition);
        case kSizeMedium:
            return edition == kEditionZV ? 4903 : 4761;
        case kSizeLarge:
            return 3304;
        default:
            return -1;
    }
}

std::int32_t StockFaceNumberOf(int edition, std::int32_t faceCgId) {
    const auto ranges = RangesOf(edition).first(kStockRows);
    for (int size = kSizeSmall; size <= kSizeLarge; ++size) {
        for (const FaceRange& row : ranges) {
            const std::int32_t offset = faceCgId - row.base[size];
            // Rows whose pictures the gap moved down hold fewer pictures than numbers.
            const std::int32_t pictures =
                row.end - row.first - (edition == kEditionZV && row.first == 0 ? kZVGapShift : 0);
            if (offset < 0 || offset >= pictures) {
                continue;
            }
            // Past the gap, a picture belongs only to the number 21 higher.
            const bool pastGap = edition == kEditionZV && row.first == 0 && offset >= kZVGapFirst;
            return row.first + offset + (pastGap ? kZVGapShift : 0);
        }
    }
    return -1;
}

}  // namespace kaocg_func
