#include "app/unattended_run.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <QImage>
#include <QTest>
#include <QWidget>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "support/jpeg_encoder.h"
#include "support/photo_picture.h"
#include "ui/bmp_cut_dlg.h"
#include "ui/crop_view.h"
#include "ui/screen_fit.h"

namespace app {
namespace {

namespace fs = std::filesystem;

class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : m_name(name) {
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() { ::unsetenv(m_name); }

private:
    const char* m_name;
};

class UnattendedRun : public ::testing::Test {
protected:
    void SetUp() override {
        ::unsetenv("KAOCG_SCREENSHOT");
        ::unsetenv("KAOCG_EXIT_AFTER_LOAD");
        ::unsetenv("KAOCG_CROP_PREVIEW");
        window.resize(320, 200);
        window.show();
    }
    void TearDown() override {
        fs::remove(shot);
        fs::remove(photo);
    }

    void Arm() {
        ArmUnattendedRun(window, [this](int code) { exitCode = code; });
    }

    QWidget window;
    std::optional<int> exitCode;
    const fs::path shot =
        fs::temp_directory_path() / ("kaocg-shot-" + std::to_string(::getpid()) + ".png");
    const fs::path photo =
        fs::temp_directory_path() / ("kaocg-photo-" + std::to_string(::getpid()) + ".jpg");
};

TEST_F(UnattendedRun, ScreenshotOfThePaintedWindowThenExitZero) {
    ScopedEnv env("KAOCG_SCREENSHOT", shot.string());
    Arm();
    QTRY_VERIFY_WITH_TIMEOUT(exitCode.has_value(), 8000);
    EXPECT_EQ(*exitCode, 0);
    const QImage image(QString::fromStdString(shot.string()));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), window.size() * window.devicePixelRatio());
}

TEST_F(UnattendedRun, ScreenshotThatCannotBeSavedExitsWithOne) {
    ScopedEnv env("KAOCG_SCREENSHOT",
                  (fs::temp_directory_path() / "no-such-folder-kaocg/x.png").string());
    Arm();
    QTRY_VERIFY_WITH_TIMEOUT(exitCode.has_value(), 8000);
    EXPECT_EQ(*exitCode, 1);
}

TEST_F(UnattendedRun, ExitAfterLoadQuitsOnceTheLoopRuns) {
    ScopedEnv env("KAOCG_EXIT_AFTER_LOAD", "1");
    Arm();
    EXPECT_FALSE(exitCode.has_value());
    QTRY_VERIFY_WITH_TIMEOUT(exitCode.has_value(), 2000);
    EXPECT_EQ(*exitCode, 0);
}

TEST_F(UnattendedRun, NothingHappensUnlessAsked) {
    ScopedEnv env("KAOCG_EXIT_AFTER_LOAD", "0");
    Arm();
    QTest::qWait(100);
    EXPECT_FALSE(exitCode.has_value());
}

TEST_F(UnattendedRun, CropPreviewShowsTheLargeFacesDialogFittedThenItsScreenshot) {
    const std::vector<std::uint8_t> jpeg =
        testsupport::jpeg::Encode(testsupport::MakePhotoLikePicture(1600, 1200));
    {
        std::ofstream out(photo, std::ios::binary);
        out.write(reinterpret_cast<const char*>(jpeg.data()), static_cast<long>(jpeg.size()));
    }
    ScopedEnv preview("KAOCG_CROP_PREVIEW", photo.string());
    ScopedEnv env("KAOCG_SCREENSHOT", shot.string());
    Arm();
    QTRY_VERIFY_WITH_TIMEOUT(exitCode.has_value(), 8000);
    EXPECT_EQ(*exitCode, 0);
    auto* dialog = window.findChild<ui::CBMPCutDlg*>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->Picture().Width(), 1600);
    EXPECT_EQ(dialog->Selection().TargetWidth(), 240);
    EXPECT_LT(dialog->View()->Zoom().ZoomPercent(), 100);
    EXPECT_TRUE(ui::AvailableArea(*dialog).contains(dialog->frameGeometry()));
    const QImage image(QString::fromStdString(shot.string()));
    EXPECT_EQ(image.size(), dialog->size() * dialog->devicePixelRatio());
}

TEST_F(UnattendedRun, CropPreviewOfAFileWithoutAPictureExitsWithOne) {
    ScopedEnv preview("KAOCG_CROP_PREVIEW",
                      (fs::temp_directory_path() / "no-such-kaocg.jpg").string());
    ScopedEnv env("KAOCG_SCREENSHOT", shot.string());
    Arm();
    QTRY_VERIFY_WITH_TIMEOUT(exitCode.has_value(), 2000);
    EXPECT_EQ(*exitCode, 1);
    EXPECT_FALSE(fs::exists(shot));
}

}  // namespace
}  // namespace app
