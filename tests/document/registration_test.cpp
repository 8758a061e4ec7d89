#include "document/registration.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include "kaocg/face_texture.h"
#include "kaocg/image_archive_layout.h"
#include "kaocg/kao_file_path.h"
#include "resources/string_table.h"
#include "support/demo_prefix.h"
#include "support/recording_ui.h"

namespace document {
namespace {

namespace fs = std::filesystem;
using kaocg_func::kKindEditLarge;
using kaocg_func::kKindEditMedium;
using kaocg_func::kKindEditSmall;

constexpr int kG1tHeaderBytes = 44;

// A bottom-up 24-bit picture of one colour (blue, green, red), as the crop dialog answers.
picture::CDIB Solid(int width, int height, std::uint8_t b, std::uint8_t g, std::uint8_t r) {
    auto dib = picture::CDIB::CreateWithPixels(width, -height, {}, 24);
    EXPECT_TRUE(dib);
    EXPECT_TRUE(dib->Fill(std::uint32_t{r} << 16 | std::uint32_t{g} << 8 | b));
    return std::move(*dib);
}

class Registration : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("XDG_RUNTIME_DIR", demo.Path().c_str(), 1);
        ASSERT_TRUE(doc.LoadAllData());
        ui.ClearRecords();
    }

    fs::path Archive(int kind) {
        std::wstring path;
        kaocg_func::BuildKaoFilePath(kind, demo.Settings().editDataFolder,
                                     demo.Settings().stockDataFolder, path);
        return demo.Files().HostPath(path);
    }
    std::vector<std::uint8_t> Read(int kind, std::uint64_t offset, std::size_t count) {
        std::vector<std::uint8_t> bytes(count);
        std::ifstream file(Archive(kind), std::ios::binary);
        file.seekg(static_cast<std::streamoff>(offset));
        file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(count));
        EXPECT_TRUE(file) << Archive(kind);
        return bytes;
    }
    std::vector<std::uint8_t> Slot(int kind, std::uint32_t slot) {
        return Read(kind, kaocg_func::DefaultSlotOffset(kind, slot), kaocg_func::EntrySize(kind));
    }
    std::uint8_t BitmapByte(int kind, std::uint32_t slot) {
        return Read(kind, kaocg_func::UsedSlotBitmapOffset(kind) + slot / 8, 1)[0];
    }
    // The slot bytes a crop must become, by the archive's own encoder.
    static std::vector<std::uint8_t> Expected(const picture::CDIB& crop, const FaceSize& size,
                                              int kind) {
        std::vector<std::uint8_t> slot(kaocg_func::EntrySize(kind));
        EXPECT_TRUE(
            kaocg_func::EncodeFaceTexture(BuildRegistrationPicture(crop, size), kind, slot));
        return slot;
    }
    bool Register(std::int32_t faceNumber) {
        return RegisterFace(doc, large, medium, small, faceNumber);
    }
    // Blue, green, red of the thumbnail's top-left pixel.
    std::vector<std::uint8_t> ThumbnailCorner(std::int32_t position) const {
        const picture::CDIB* thumbnail = Thumbnails().At(position);
        EXPECT_NE(thumbnail, nullptr);
        const std::uint8_t* pixel = thumbnail->PixelAddress(30, 30);
        return {pixel[0], pixel[1], pixel[2]};
    }

    testsupport::DemoPrefix demo;
    testsupport::RecordingUi ui;
    CQ06KaoCgEditDoc doc{demo.Platform(), demo.Settings(), {ui, ui, ui, ui}};
    picture::CDIB large = Solid(240, 240, 10, 20, 30);
    picture::CDIB medium = Solid(96, 120, 40, 50, 60);
    picture::CDIB small = Solid(60, 60, 70, 80, 90);
};

TEST_F(Registration, SlotZeroWritesTheThreeArchivesAtTheirFixedOffsets) {
    ASSERT_TRUE(Register(1700));
    const std::vector<std::uint8_t> largeSlot = Slot(kKindEditLarge, 0);
    const std::vector<std::uint8_t> mediumSlot = Slot(kKindEditMedium, 0);
    const std::vector<std::uint8_t> smallSlot = Slot(kKindEditSmall, 0);
    EXPECT_TRUE(largeSlot == Expected(large, kLargeFace, kKindEditLarge));
    EXPECT_TRUE(mediumSlot == Expected(medium, kMediumFace, kKindEditMedium));
    EXPECT_TRUE(smallSlot == Expected(small, kSmallFace, kKindEditSmall));
    // BGRA pixels follow the 44-byte G1T headers, top row first.
    const std::vector<std::uint8_t> topLeftLarge(largeSlot.begin() + kG1tHeaderBytes,
                                                 largeSlot.begin() + kG1tHeaderBytes + 4);
    EXPECT_EQ(topLeftLarge, (std::vector<std::uint8_t>{10, 20, 30, 255}));
    EXPECT_EQ(smallSlot[kG1tHeaderBytes + 3], 0) << "the small face's corner is rounded off";
    const std::size_t middle = kG1tHeaderBytes + (30 * 64 + 30) * 4;
    EXPECT_EQ(smallSlot[middle + 3], 255);
    EXPECT_EQ(smallSlot[middle], 70);
    for (int kind = kKindEditLarge; kind <= kKindEditSmall; ++kind) {
        EXPECT_EQ(BitmapByte(kind, 0), 0x01) << kind;
    }
    EXPECT_EQ(ThumbnailCorner(0), (std::vector<std::uint8_t>{70, 80, 90}));
    EXPECT_EQ(ui.fills, 1);
    EXPECT_TRUE(ui.dialogs.empty());
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(Registration, SlotNineHundredNinetyNineIsTheLastOneWritten) {
    ASSERT_TRUE(Register(2699));
    EXPECT_TRUE(Slot(kKindEditSmall, 999) == Expected(small, kSmallFace, kKindEditSmall));
    EXPECT_TRUE(Slot(kKindEditLarge, 999) == Expected(large, kLargeFace, kKindEditLarge));
    for (int kind = kKindEditLarge; kind <= kKindEditSmall; ++kind) {
        EXPECT_EQ(BitmapByte(kind, 999), 0x80) << kind;
        EXPECT_EQ(BitmapByte(kind, 0), 0x00) << kind;
    }
    EXPECT_EQ(ThumbnailCorner(999), (std::vector<std::uint8_t>{70, 80, 90}));
    EXPECT_EQ(ThumbnailCorner(0), (std::vector<std::uint8_t>{0, 0, 0}));
}

TEST_F(Registration, NumbersOutsideTheRegistrableSlotsWriteNothing) {
    std::vector<std::vector<std::uint8_t>> before;
    for (int kind = kKindEditLarge; kind <= kKindEditSmall; ++kind) {
        before.push_back(Slot(kind, 1000));
    }
    for (const std::int32_t number : {1699, 2700, 2799}) {
        EXPECT_FALSE(Register(number)) << number;
    }
    for (int kind = kKindEditLarge; kind <= kKindEditSmall; ++kind) {
        EXPECT_EQ(Read(kind, kaocg_func::UsedSlotBitmapOffset(kind), 138),
                  std::vector<std::uint8_t>(138, 0))
            << kind;
        EXPECT_TRUE(Slot(kind, 1000) == before[kind - kKindEditLarge]) << kind;
    }
    EXPECT_EQ(ui.fills, 0);
    EXPECT_TRUE(ui.dialogs.empty());
}

TEST_F(Registration, AFailedWriteIsReportedAfterTheOthersWereTried) {
    fs::remove(Archive(kKindEditMedium));
    fs::create_directory(Archive(kKindEditMedium));
    EXPECT_FALSE(Register(1705));
    ASSERT_EQ(ui.dialogs.size(), 1u);
    EXPECT_EQ(ui.dialogs[0], resources::LoadString(resources::IDS_SAVE_FAILED));
    EXPECT_EQ(BitmapByte(kKindEditLarge, 5), 0x20);
    EXPECT_EQ(BitmapByte(kKindEditSmall, 5), 0x20);
    EXPECT_EQ(ThumbnailCorner(5), (std::vector<std::uint8_t>{70, 80, 90}));
    EXPECT_EQ(ui.fills, 1);
}

TEST_F(Registration, AnArchiveTooShortForItsBitmapFailsAndKeepsItsThumbnail) {
    fs::permissions(Archive(kKindEditSmall), fs::perms::owner_write, fs::perm_options::add);
    fs::resize_file(Archive(kKindEditSmall), kaocg_func::UsedSlotBitmapOffset(kKindEditSmall));
    EXPECT_FALSE(Register(1700));
    EXPECT_EQ(ui.dialogs, (std::vector<std::wstring>{
                              std::wstring(resources::LoadString(resources::IDS_SAVE_FAILED))}));
    EXPECT_EQ(ThumbnailCorner(0), (std::vector<std::uint8_t>{0, 0, 0}));
}

TEST(RegistrationPicture, AMediumCropLandsInTheTopLeftCornerOfABlackTexture) {
    picture::CDIB crop = Solid(100, 130, 1, 2, 3);
    std::uint8_t* topLeft = crop.PixelAddress(0, 0);
    topLeft[0] = 200;
    const picture::CDIB built = BuildRegistrationPicture(crop, kMediumFace);
    ASSERT_EQ(built.Width(), 128);
    ASSERT_EQ(built.Height(), 128);
    EXPECT_EQ(built.BitCount(), 24);
    EXPECT_TRUE(built.IsTopDown());
    EXPECT_EQ(built.Pixels()[0], 200) << "the crop's top row lies first in memory";
    for (int y = 0; y < 128; ++y) {
        for (int x = 0; x < 128; ++x) {
            const std::uint8_t* pixel = built.PixelAddress(x, y);
            const bool inside = x < 96 && y < 120;
            const std::uint8_t blue = x == 0 && y == 0 ? 200 : 1;
            ASSERT_EQ(pixel[0], inside ? blue : 0) << x << ',' << y;
            ASSERT_EQ(pixel[2], inside ? 3 : 0) << x << ',' << y;
        }
    }
}

class FaceChange : public Registration {
protected:
    roster::bushou& General(std::int32_t code) {
        roster::bushou_manager& generals = *doc.GeneralManager();
        for (int i = 0; i < generals.count(); ++i) {
            if (generals.at(i)->Code() == code) {
                return *generals.at(i);
            }
        }
        ADD_FAILURE() << "no general " << code;
        return *generals.at(0);
    }
};

TEST_F(FaceChange, TheZvAdditionsAfterTheGapComeBackToTheirListedNumbers) {
    roster::bushou& general = General(0);
    ChangeFace(doc, general, 1200);
    EXPECT_EQ(general.CurrentFace(), 1221);
    ChangeFace(doc, general, 1337);
    EXPECT_EQ(general.CurrentFace(), 1358);
    ChangeFace(doc, general, 1197);
    EXPECT_EQ(general.CurrentFace(), 1197);
    ChangeFace(doc, general, 1338);
    EXPECT_EQ(general.CurrentFace(), 1338);
    EXPECT_EQ(ListedFaceNumber(0, 1200), 1200) << "the base edition has no gap";
}

TEST_F(FaceChange, TheGeneralsWithAFixedFaceKeepIt) {
    for (const std::int32_t code : {338, 2274}) {
        roster::bushou& general = General(code);
        const std::int32_t before = general.CurrentFace();
        ChangeFace(doc, general, 1700);
        EXPECT_EQ(general.CurrentFace(), before) << code;
    }
}

TEST_F(FaceChange, ChangingBackToTheSavedFaceClearsTheMark) {
    roster::bushou& general = General(1);
    const std::int32_t saved = general.SavedFace();
    ASSERT_EQ(ListedFaceNumber(doc.Edition(), saved), saved);
    ChangeFace(doc, general, 1700);
    EXPECT_TRUE(general.IsChanged());
    EXPECT_NE(general.DisplayName(), general.Name());
    ChangeFace(doc, general, saved);
    EXPECT_FALSE(general.IsChanged());
    EXPECT_EQ(general.DisplayName(), general.Name());
    EXPECT_FALSE(doc.GeneralManager()->HasUnsavedChanges());
}

}  // namespace
}  // namespace document
