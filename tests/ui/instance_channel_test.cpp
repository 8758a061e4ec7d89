#include "app/instance_channel.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QLocalSocket>
#include <QTest>
#include <filesystem>

#include "dead_socket.h"
#include "private_runtime_folder.h"

namespace app {
namespace {

using namespace std::chrono_literals;

class InstanceChannel : public ::testing::Test {
protected:
    testsupport::PrivateRuntimeFolder runtime;
    const QString path = InstanceSocketPath(runtime.Path() + "/kaocg-editor.lock");
    int raises = 0;
    InstanceServer server{[this] { ++raises; }};
};

// Two starts on one installation meet whatever their sessions' runtime folders are; the
// editors of two installations never do.
TEST_F(InstanceChannel, SocketFollowsTheLockFileNotTheSession) {
    EXPECT_FALSE(path.startsWith(QString::fromStdString(runtime.Path())));
    {
        testsupport::PrivateRuntimeFolder otherSession;
        EXPECT_EQ(InstanceSocketPath(runtime.Path() + "/kaocg-editor.lock"), path);
    }
    EXPECT_NE(InstanceSocketPath(runtime.Path() + "/other/kaocg-editor.lock"), path);
    EXPECT_LT(path.size(), 100) << "fits a socket address";
}

// The request is taken by the kernel before the running editor reads it, as when that editor
// is still busy loading; it is read once its event loop runs.
TEST_F(InstanceChannel, RequestReachesTheRunningEditorAfterTheCallerHasGone) {
    ASSERT_TRUE(server.Listen(path));
    EXPECT_TRUE(AskRunningEditorToRaise(path, 1s));
    EXPECT_EQ(raises, 0);
    QTRY_COMPARE_WITH_TIMEOUT(raises, 1, 2000);
    EXPECT_TRUE(AskRunningEditorToRaise(path, 1s));
    QTRY_COMPARE_WITH_TIMEOUT(raises, 2, 2000);
}

TEST_F(InstanceChannel, NobodyListeningIsReportedAfterTheTimeout) {
    QElapsedTimer timer;
    timer.start();
    EXPECT_FALSE(AskRunningEditorToRaise(path, 200ms));
    EXPECT_GE(timer.elapsed(), 150);
    EXPECT_LT(timer.elapsed(), 2000);
}

TEST_F(InstanceChannel, SocketLeftByACrashIsReplaced) {
    ASSERT_TRUE(testsupport::LeaveDeadSocket(path.toStdString()));
    ASSERT_TRUE(std::filesystem::exists(path.toStdString()));
    EXPECT_FALSE(AskRunningEditorToRaise(path, 100ms));
    ASSERT_TRUE(server.Listen(path));
    EXPECT_TRUE(AskRunningEditorToRaise(path, 1s));
    QTRY_COMPARE_WITH_TIMEOUT(raises, 1, 2000);
}

TEST_F(InstanceChannel, OtherTalkDoesNotRaise) {
    ASSERT_TRUE(server.Listen(path));
    QLocalSocket stranger;
    stranger.connectToServer(path);
    ASSERT_TRUE(stranger.waitForConnected(1000));
    stranger.write("raise please\n");
    stranger.write(QByteArray(200, 'x'));
    stranger.flush();
    QTRY_COMPARE_WITH_TIMEOUT(stranger.state(), QLocalSocket::UnconnectedState, 2000);
    EXPECT_EQ(raises, 0);
}

TEST_F(InstanceChannel, ClosingTheServerRemovesItsSocket) {
    {
        InstanceServer running([] {});
        ASSERT_TRUE(running.Listen(path));
        EXPECT_TRUE(std::filesystem::exists(path.toStdString()));
    }
    EXPECT_FALSE(std::filesystem::exists(path.toStdString()));
    EXPECT_FALSE(AskRunningEditorToRaise(path, 100ms));
}

}  // namespace
}  // namespace app
