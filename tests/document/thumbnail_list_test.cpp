#include <gtest/gtest.h>

#include <fstream>
#include <vector>

#include "document/edit_archives.h"
#include "document/thumbnail_list.h"
#include "kaocg/face_image_transfer.h"
#include "kaocg/face_number_map.h"
#include "kaocg/image_archive_layout.h"
#include "resources/load_report.h"
#include "resources/string_table.h"
#include "support/demo_prefix.h"
#include "support/recording_ui.h"

namespace document {
namespace {

namespace fs = std::filesystem;

class Thumbnails : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(PrepareEditArchives(demo.Files(), demo.Settings(), messages, progress));
        progress.steps = 0;
    }

    FaceSource Source() {
        return {{demo.Files(), demo.Settings().edition}, demo.Settings(), messages};
    }

    testsupport::DemoPrefix demo;
    testsupport::RecordingUi messages;
    testsupport::RecordingUi& progress = messages;
};

TEST_F(Thumbnails, EverySlotAndStockFaceGetsAPositionAndTheSteps) {
    ThumbnailList list;
    BuildThumbnailList(list, Source(), progress);
    EXPECT_EQ(list.Count(), 1100 + 1598);
    EXPECT_EQ(progress.steps, 20 + 1 + 16);
    EXPECT_TRUE(messages.boxes.empty());
    const picture::CDIB* first = list.At(0);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->Width(), 60);
    EXPECT_EQ(first->Height(), 60);
    EXPECT_EQ(first->BitCount(), 24);
    EXPECT_EQ(list.At(list.Count()), nullptr);
}

TEST_F(Thumbnails, AnUnreadableFaceShowsOneMessageAndABlankPicture) {
    // Spoil the G1T of stock small slot 3.
    const fs::path archive = demo.Host(demo.Settings().stockDataFolder + L"KAO_S.q06");
    {
        std::fstream file(archive, std::ios::in | std::ios::out | std::ios::binary);
        file.seekp(static_cast<std::streamoff>(
            kaocg_func::DefaultSlotOffset(kaocg_func::kKindStockSmall, 3)));
        file.write("XXXX", 4);
    }
    ThumbnailList list;
    BuildThumbnailList(list, Source(), progress);
    ASSERT_EQ(messages.boxes.size(), 1u);
    EXPECT_EQ(messages.boxes[0], resources::UnreadFacesMessage(1));
    EXPECT_EQ(messages.boxes[0].rfind(resources::LoadString(resources::IDS_FILE_READ_FAILED), 0),
              0u);
    EXPECT_EQ(list.Count(), 1100 + 1598);
}

TEST_F(Thumbnails, AnEditArchiveCutInHalfShowsOneMessageWithTheCount) {
    const fs::path archive = demo.Host(demo.Settings().editDataFolder + L"GRP\\EDIT_KAO_S.Q06");
    const auto cut = kaocg_func::DefaultSlotOffset(kaocg_func::kKindEditSmall, 550);
    fs::resize_file(archive, cut);
    ThumbnailList list;
    BuildThumbnailList(list, Source(), progress);
    ASSERT_EQ(messages.boxes.size(), 1u);
    EXPECT_EQ(messages.boxes[0], resources::UnreadFacesMessage(550));
    EXPECT_EQ(messages.boxes[0], L"檔案讀取失敗。\n共有550個容貌CG無法讀取。");
    EXPECT_EQ(list.Count(), 1100 + 1598);
    EXPECT_EQ(progress.steps, 20 + 1 + 16);
}

TEST_F(Thumbnails, ARegisteredFaceIsReadBackIntoItsSlot) {
    ThumbnailList list;
    for (int i = 0; i < 10; ++i) {
        list.Append(BlankThumbnail());
    }
    // A 64 x 64 registration picture, top-down, one colour (blue, green, red 10, 20, 30).
    std::vector<std::uint8_t> pixels(64 * 64 * 3);
    for (std::size_t i = 0; i < pixels.size(); i += 3) {
        pixels[i] = 10;
        pixels[i + 1] = 20;
        pixels[i + 2] = 30;
    }
    auto face = picture::CDIB::CreateWithPixels(64, 64, pixels, 24);
    ASSERT_TRUE(face);
    ASSERT_TRUE(kaocg_func::TransferFaceImage(
        {demo.Files(), demo.Settings().edition}, demo.Settings().editDataFolder, 2203 + 7, *face,
        demo.Settings().stockDataFolder, kaocg_func::TransferMode::Save, true));
    RefreshThumbnail(list, Source(), 7);
    const picture::CDIB& thumbnail = *list.At(7);
    // Inside the rounded corners the colour is kept; the corner pixel is whitened.
    const std::uint8_t* middle = thumbnail.PixelAddress(30, 30);
    EXPECT_EQ(middle[0], 10);
    EXPECT_EQ(middle[1], 20);
    EXPECT_EQ(middle[2], 30);
    const std::uint8_t* corner = thumbnail.PixelAddress(0, 0);
    EXPECT_EQ(corner[0], 255);
    EXPECT_TRUE(messages.boxes.empty());
}

TEST(ThumbnailPosition, EditSlotsAndStockFaces) {
    EXPECT_EQ(ThumbnailPosition(kaocg_func::kEditionZV, 1707), 7);
    EXPECT_EQ(ThumbnailPosition(kaocg_func::kEditionZV, 2699), 999);
    EXPECT_EQ(ThumbnailPosition(kaocg_func::kEditionBase, 0), 1100);
    EXPECT_EQ(ThumbnailPosition(kaocg_func::kEditionZV, 0), 1100);
    EXPECT_EQ(ThumbnailPosition(kaocg_func::kEditionZV, 1198),
              ThumbnailPosition(kaocg_func::kEditionZV, 1177));
    EXPECT_EQ(ThumbnailPosition(kaocg_func::kEditionBase, 1192), -1);
    EXPECT_LT(ThumbnailPosition(kaocg_func::kEditionBase, 2700), 0);
}

}  // namespace
}  // namespace document
