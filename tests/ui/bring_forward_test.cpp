#include "app/bring_forward.h"

#include <gtest/gtest.h>

#include <QWidget>

namespace app {
namespace {

TEST(BringForward, RestoresAMinimisedWindow) {
    QWidget window;
    window.showMinimized();
    ASSERT_TRUE(window.isMinimized());
    BringForward(window);
    EXPECT_FALSE(window.isMinimized());
    EXPECT_TRUE(window.isVisible());
}

TEST(BringForward, KeepsAMaximisedWindowMaximised) {
    QWidget window;
    window.setWindowState(Qt::WindowMaximized | Qt::WindowMinimized);
    window.show();
    BringForward(window);
    EXPECT_FALSE(window.isMinimized());
    EXPECT_TRUE(window.isMaximized());
}

}  // namespace
}  // namespace app
