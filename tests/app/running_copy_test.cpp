// One running copy per settings file: a second start hands over to the first, another settings file runs beside it.
#include "app/running_copy.h"
#include "support/gadget_fixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocalSocket>
#include <QSysInfo>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <future>
#include <memory>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <vector>

using namespace oruvel;

namespace {

// A later start, as another process makes it: the copy that runs goes on serving while it waits for an answer.
bool handOverAsAnotherStart(const QString& settings) {
    auto handedOver = std::async(std::launch::async, [&settings] { return app::RunningCopy(settings).handOver(); });
    while (handedOver.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready) {
        QCoreApplication::processEvents();
    }
    return handedOver.get();
}

} // namespace

TEST(RunningCopy, ASecondStartWithTheSameFileHandsOverAndAnotherFileRunsBeside) {
    test::TempDir dir;
    const QString settings = QString::fromStdString(dir.file("Oruvel_Settings.ini"));
    const QString other = QString::fromStdString(dir.file("other/Oruvel_Settings.ini"));
    EXPECT_EQ(app::RunningCopy::socketName(settings), app::RunningCopy::socketName(settings));
    EXPECT_NE(app::RunningCopy::socketName(settings), app::RunningCopy::socketName(other));

    app::RunningCopy first(settings);
    int startedAgain = 0;
    QObject::connect(&first, &app::RunningCopy::startedAgain, [&startedAgain] { ++startedAgain; });
    ASSERT_FALSE(first.handOver()) << "the first start runs";

    app::RunningCopy beside(other);
    EXPECT_FALSE(beside.handOver()) << "a copy with its own settings file runs beside it";

    EXPECT_TRUE(handOverAsAnotherStart(settings));
    EXPECT_EQ(startedAgain, 1) << "the first copy read the request before the second start ended";
}

// What a copy killed with SIGKILL leaves: a lock file naming a process that is gone, and a socket nobody listens on.
TEST(RunningCopy, WhatAKilledCopyLeftNeverStopsTheNextStart) {
    test::TempDir dir;
    const QString settings = QString::fromStdString(dir.file("Oruvel_Settings.ini"));
    const QString socket = app::RunningCopy(settings).serverName();
    ASSERT_TRUE(socket.startsWith(QLatin1Char('/'))) << "a socket in a folder of the user's own";
    const QString lock = socket + QStringLiteral(".lock");
    test::writeFile(lock.toStdString(), "999999999\nOruvel\n" + QSysInfo::machineHostName().toStdString() + "\n");
    const std::string socketPath = socket.toStdString();
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, socketPath.c_str(), sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(fd); // the socket file stays, with nobody listening

    app::RunningCopy next(settings);
    EXPECT_FALSE(next.handOver()) << "the next start runs";
    EXPECT_TRUE(handOverAsAnotherStart(settings)) << "and is found by the one after it";
}

TEST(RunningCopy, ARemovedSocketIsPutBackAndIdleConnectionsAreHungUp) {
    test::TempDir dir;
    const QString settings = QString::fromStdString(dir.file("Oruvel_Settings.ini"));
    app::RunningCopy first(settings);
    int startedAgain = 0;
    QObject::connect(&first, &app::RunningCopy::startedAgain, [&startedAgain] { ++startedAgain; });
    ASSERT_FALSE(first.handOver());

    ASSERT_EQ(::unlink(first.serverName().toStdString().c_str()), 0); // a cleaner of old files passed by
    first.restoreSocketIfGone();
    EXPECT_TRUE(handOverAsAnotherStart(settings)) << "the next start still finds the copy that runs";
    EXPECT_EQ(startedAgain, 1);

    // Connections that say nothing: the ones beyond the cap at once, the others after a while.
    std::vector<std::unique_ptr<QLocalSocket>> idle;
    for (int i = 0; i < 3 * app::RunningCopy::kMaxConnections; ++i) {
        idle.push_back(std::make_unique<QLocalSocket>());
        idle.back()->connectToServer(first.serverName());
        ASSERT_TRUE(idle.back()->waitForConnected(1000));
    }
    const auto open = [&] {
        return std::count_if(idle.begin(), idle.end(),
                             [](const auto& s) { return s->state() == QLocalSocket::ConnectedState; });
    };
    test::turnUntil([&] { return open() <= app::RunningCopy::kMaxConnections; });
    EXPECT_LE(open(), app::RunningCopy::kMaxConnections);
    test::turnUntil([&] { return open() == 0; }, app::RunningCopy::kConnectionMilliseconds * 3);
    EXPECT_EQ(open(), 0);
    EXPECT_TRUE(handOverAsAnotherStart(settings));
    EXPECT_EQ(startedAgain, 2);
}
