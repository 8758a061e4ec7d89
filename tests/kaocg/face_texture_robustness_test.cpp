#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <vector>

#include "kaocg/face_pictures.h"
#include "kaocg/face_texture.h"
#include "kaocg/g1t_slot_builder.h"
#include "kaocg/image_archive_layout.h"
#include "lumo/io/pixel_format.h"
#include "support/allocation_probe.h"

namespace kaocg_func {
namespace {

constexpr std::uint32_t kSlotSize = EntrySize(kKindEditSmall);

// Slots of the kinds an archive holds: the editor's BGRA8 face, the game's BGRA8 face with the
// extended texture header, and the compressed faces of other writers.
std::vector<std::vector<std::uint8_t>> SeedSlots() {
    std::vector<std::vector<std::uint8_t>> seeds;
    std::vector<std::uint8_t> editor(kSlotSize);
    EXPECT_TRUE(EncodeFaceTexture(kaocg_test::PatternPicture(64), kKindEditSmall, editor));
    seeds.push_back(editor);
    for (std::uint32_t format : {lumo::kFormatDXT1, lumo::kFormatDXT5, lumo::kFormatRGBA16F}) {
        seeds.push_back(kaocg_test::SolidSlot(32, 32, format, {9, 80, 200, 255}, kSlotSize));
    }
    std::vector<std::uint8_t> game = seeds.front();
    game[43] = 0x10;  // extended header present: the pixels now start 12 bytes later
    seeds.push_back(game);
    for (const auto& seed : seeds) {
        EXPECT_EQ(seed.size(), kSlotSize);
    }
    return seeds;
}

// A decoded picture holds 4 bytes per pixel, and a 4-bit format packs 2 pixels into each byte
// of the slot: 8 bytes per slot byte, never a size a header invents.
constexpr std::size_t kAllowedAllocation = std::size_t{kSlotSize} * 8 + 65536;

void DecodeAndCheck(const std::vector<std::uint8_t>& slot) {
    testsupport::ResetLargestAllocation();
    picture::CDIB face;
    if (DecodeFaceTexture(slot, face)) {
        ASSERT_TRUE(face.IsValid());
        ASSERT_EQ(face.BitCount(), 32);
        ASSERT_EQ(face.Pixels().size(), std::uint64_t(face.Width()) * face.Height() * 4);
    } else {
        ASSERT_FALSE(face.IsValid());
    }
    ASSERT_LE(testsupport::LargestAllocation(), kAllowedAllocation) << "slot of " << slot.size();
}

TEST(FaceTextureRobustness, TruncatedSlotsNeverCrashOrOverAllocate) {
    for (const auto& seed : SeedSlots()) {
        for (std::size_t size = 0; size < seed.size(); size += 1 + size / 32) {
            DecodeAndCheck(std::vector<std::uint8_t>(seed.begin(), seed.begin() + size));
        }
    }
}

TEST(FaceTextureRobustness, MutatedSlotsNeverCrashOrOverAllocate) {
    std::mt19937 random(20240611);
    const auto seeds = SeedSlots();
    for (int round = 0; round < 5000; ++round) {
        std::vector<std::uint8_t> slot = seeds[round % seeds.size()];
        const int mutations = 1 + static_cast<int>(random() % 5);
        for (int m = 0; m < mutations; ++m) {
            // Mostly the headers and the texture record, where sizes, counts and formats live.
            const std::size_t limit = random() % 4 == 0 ? slot.size() : 64;
            const std::size_t at = random() % limit;
            const std::uint8_t value = static_cast<std::uint8_t>(random());
            slot[at] = random() % 3 == 0 ? static_cast<std::uint8_t>(0xFF) : value;
        }
        DecodeAndCheck(slot);
    }
}

}  // namespace
}  // namespace kaocg_func
