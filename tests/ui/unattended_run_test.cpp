#include "app/unattended_run.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <QImage>
#include <QTest>
#include <QWidget>
#include <filesystem>
#include <optional>
#include <string>

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
        window.resize(320, 200);
        window.show();
    }
    void TearDown() override { fs::remove(shot); }

    void Arm() {
        ArmUnattendedRun(window, [this](int code) { exitCode = code; });
    }

    QWidget window;
    std::optional<int> exitCode;
    const fs::path shot =
        fs::temp_directory_path() / ("kaocg-shot-" + std::to_string(::getpid()) + ".png");
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

}  // namespace
}  // namespace app
