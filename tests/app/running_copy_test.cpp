// One running copy per settings file: a second start hands over to the first, another settings file runs beside it.
#include "app/running_copy.h"
#include "support/gadget_fixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <gtest/gtest.h>

#include <chrono>
#include <future>

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

// XDG_RUNTIME_DIR set for one test, and put back as it was (unset when it was) however the test ends.
class RuntimeFolderOverride {
public:
    explicit RuntimeFolderOverride(const std::string& folder)
        : wasSet_(qEnvironmentVariableIsSet("XDG_RUNTIME_DIR")), before_(qgetenv("XDG_RUNTIME_DIR")) {
        qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(folder));
    }
    ~RuntimeFolderOverride() {
        if (wasSet_) {
            qputenv("XDG_RUNTIME_DIR", before_);
        } else {
            qunsetenv("XDG_RUNTIME_DIR");
        }
    }
    RuntimeFolderOverride(const RuntimeFolderOverride&) = delete;
    RuntimeFolderOverride& operator=(const RuntimeFolderOverride&) = delete;

private:
    bool wasSet_;
    QByteArray before_;
};

} // namespace

TEST(RunningCopy, ASecondStartWithTheSameFileHandsOverAndAnotherFileRunsBeside) {
    test::TempDir dir;
    const QString settings = QString::fromStdString(dir.file("Oruvel_Settings.ini"));
    const QString other = QString::fromStdString(dir.file("other/Oruvel_Settings.ini"));
    EXPECT_EQ(app::RunningCopy::lockName(settings), app::RunningCopy::lockName(settings));
    EXPECT_NE(app::RunningCopy::lockName(settings), app::RunningCopy::lockName(other));

    app::RunningCopy first(settings);
    int startedAgain = 0;
    QObject::connect(&first, &app::RunningCopy::startedAgain, [&startedAgain] { ++startedAgain; });
    ASSERT_FALSE(first.handOver()) << "the first start runs";
    ASSERT_TRUE(first.lockPath().startsWith(QLatin1Char('/'))) << "a lock in a folder of the user's own";

    app::RunningCopy beside(other);
    EXPECT_FALSE(beside.handOver()) << "a copy with its own settings file runs beside it";

    EXPECT_TRUE(handOverAsAnotherStart(settings));
    EXPECT_EQ(startedAgain, 1) << "the first copy took the request before the second start ended";
    EXPECT_TRUE(handOverAsAnotherStart(settings));
    EXPECT_EQ(startedAgain, 2) << "each later start is answered once";
    EXPECT_FALSE(QFileInfo::exists(first.requestPath())) << "no request is left behind";
}

// What a copy killed with SIGKILL leaves: a lock file naming a process that is gone, perhaps a request nobody took.
TEST(RunningCopy, WhatAKilledCopyLeftNeverStopsTheNextStart) {
    test::TempDir dir;
    const QString settings = QString::fromStdString(dir.file("Oruvel_Settings.ini"));
    const app::RunningCopy probe(settings);
    test::writeFile(probe.lockPath().toStdString(),
                    "999999999\nOruvel\n" + QSysInfo::machineHostName().toStdString() + "\n");
    test::writeFile(probe.requestPath().toStdString(), "");

    app::RunningCopy next(settings);
    int startedAgain = 0;
    QObject::connect(&next, &app::RunningCopy::startedAgain, [&startedAgain] { ++startedAgain; });
    EXPECT_FALSE(next.handOver()) << "the next start runs";
    test::turnUntil([&] { return startedAgain == 1; });
    EXPECT_EQ(startedAgain, 1) << "a request left before it watched is answered";
    EXPECT_TRUE(handOverAsAnotherStart(settings)) << "and it is found by the start after it";
    EXPECT_EQ(startedAgain, 2);
}

// A copy that holds the lock but takes no request (stopped, or hung) does not keep a later start from running.
TEST(RunningCopy, ACopyThatDoesNotAnswerIsLeftRunningBeside) {
    test::TempDir dir;
    const QString settings = QString::fromStdString(dir.file("Oruvel_Settings.ini"));
    app::RunningCopy silent(settings);
    ASSERT_FALSE(silent.handOver());
    // No events are handled here: the copy that runs never sees the request.
    EXPECT_FALSE(app::RunningCopy(settings).handOver());
    EXPECT_FALSE(QFileInfo::exists(silent.requestPath())) << "the start that gave up took its request back";
}

// A cleaner of old files may take the lock, or the whole folder with it.
TEST(RunningCopy, ARemovedLockOrFolderIsPutBack) {
    test::TempDir dir;
    const std::string runtime = dir.file("runtime");
    QDir().mkpath(QString::fromStdString(runtime));
    QFile::setPermissions(QString::fromStdString(runtime), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const RuntimeFolderOverride override(runtime);
    const QString settings = QString::fromStdString(dir.file("Oruvel_Settings.ini"));
    app::RunningCopy first(settings);
    int startedAgain = 0;
    QObject::connect(&first, &app::RunningCopy::startedAgain, [&startedAgain] { ++startedAgain; });
    ASSERT_FALSE(first.handOver());
    ASSERT_TRUE(first.lockPath().startsWith(QString::fromStdString(runtime)));

    ASSERT_TRUE(QFile::remove(first.lockPath()));
    test::turnUntil([&] { return QFileInfo::exists(first.lockPath()); });
    EXPECT_TRUE(QFileInfo::exists(first.lockPath()));
    EXPECT_TRUE(handOverAsAnotherStart(settings)) << "the next start still finds the copy that runs";
    EXPECT_EQ(startedAgain, 1);

    ASSERT_TRUE(QDir(QFileInfo(first.lockPath()).path()).removeRecursively());
    test::turnUntil([&] { return QFileInfo::exists(first.lockPath()); });
    EXPECT_TRUE(QFileInfo::exists(first.lockPath()));
    EXPECT_TRUE(handOverAsAnotherStart(settings)) << "and after its folder went";
    EXPECT_EQ(startedAgain, 2);
}
