// One running copy per settings file: a second start hands over to the first, another settings file runs beside it.
#include "app/running_copy.h"
#include "support/gadget_fixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QSysInfo>
#include <gtest/gtest.h>

#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace oruvel;

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

    {
        app::RunningCopy second(settings);
        EXPECT_TRUE(second.handOver());
    }
    test::turnUntil([&] { return startedAgain == 1; });
    EXPECT_EQ(startedAgain, 1) << "the first copy was asked to show itself";
}

// What a copy killed with SIGKILL leaves: a lock file naming a process that is gone, and a socket nobody listens on.
TEST(RunningCopy, WhatAKilledCopyLeftNeverStopsTheNextStart) {
    test::TempDir dir;
    const QString settings = QString::fromStdString(dir.file("Oruvel_Settings.ini"));
    const QString name = app::RunningCopy::socketName(settings);
    const QString lock = QDir::temp().filePath(name + QStringLiteral(".lock"));
    test::writeFile(lock.toStdString(), "999999999\nOruvel\n" + QSysInfo::machineHostName().toStdString() + "\n");
    const std::string socketPath = QDir::temp().filePath(name).toStdString();
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, socketPath.c_str(), sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(fd); // the socket file stays, with nobody listening

    app::RunningCopy next(settings);
    EXPECT_FALSE(next.handOver()) << "the next start runs";
    app::RunningCopy again(settings);
    EXPECT_TRUE(again.handOver()) << "and is found by the one after it";
}
