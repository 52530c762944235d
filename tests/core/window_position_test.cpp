#include "core/program.h"
#include "core/window_position.h"
#include "platform/file_registry_store.h"
#include "platform/registry_routines.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

using namespace oruvel::core;
using namespace oruvel::platform;
using oruvel::test::TempDir;

namespace {

class FakeWindow final : public PositionedWindow {
public:
    FakeWindow(std::string name, int left, int top) : name_(std::move(name)), left_(left), top_(top) {}
    std::string windowName() const override { return name_; }
    int topTwips() const override { return top_; }
    int leftTwips() const override { return left_; }
    void moveTwips(int left, int top) override {
        left_ = left;
        top_ = top;
        ++moves;
    }
    int moves = 0;

private:
    std::string name_;
    int left_;
    int top_;
};

struct PositionFixture : ::testing::Test {
    TempDir dir;
    Program program{dir.path(), std::make_unique<FileRegistryStore>(dir.path() + "/reg"), nullptr};

    std::string stored(const std::string& name) {
        RegistryKey r(program.registry());
        r.parentPath = kProductKeyRoot;
        r.name = kProductKey;
        return valueText(r.value(name));
    }
};

} // namespace

TEST_F(PositionFixture, FirstRunKeepsDefaultsAndSavePairsXWithTop) {
    FakeWindow monitor("FrmMonitor", 10720, 10700);
    restoreWindowPosition(program, monitor);
    EXPECT_EQ(monitor.moves, 0);

    FakeWindow dragged("FrmMonitor", 3000, 1500);
    saveWindowPosition(program, dragged);
    EXPECT_EQ(stored("FrmMonitor_x"), "1500");
    EXPECT_EQ(stored("FrmMonitor_y"), "3000");

    restoreWindowPosition(program, monitor);
    EXPECT_EQ(monitor.leftTwips(), 3000);
    EXPECT_EQ(monitor.topTwips(), 1500);
}

TEST_F(PositionFixture, MissingOrJunkValueCountsAsZero) {
    FakeWindow w("FrmMain", 3000, 1500);
    saveWindowPosition(program, w);
    RegistryKey r(program.registry());
    r.parentPath = kProductKeyRoot;
    r.name = kProductKey;
    ASSERT_EQ(r.deleteValue("FrmMain_y"), reg::kSuccess);
    restoreWindowPosition(program, w);
    EXPECT_EQ(w.topTwips(), 1500);
    EXPECT_EQ(w.leftTwips(), 0);

    ASSERT_TRUE(r.setValue("FrmMain_y", std::string("left of here"), reg::kSz));
    ASSERT_TRUE(r.setValue("FrmMain_x", std::string("2250.5"), reg::kSz));
    restoreWindowPosition(program, w);
    EXPECT_EQ(w.topTwips(), 2250);
    EXPECT_EQ(w.leftTwips(), 0);
}

TEST_F(PositionFixture, ForgetRemovesBothWindowsButKeepsTheMakerKey) {
    FakeWindow main("FrmMain", 1, 2);
    FakeWindow monitor("FrmMonitor", 3, 4);
    saveWindowPosition(program, main);
    saveWindowPosition(program, monitor);
    forgetWindowPositions(program);
    EXPECT_EQ(stored("FrmMain_x"), "");
    EXPECT_EQ(stored("FrmMonitor_y"), "");
    RegistryKey r(program.registry());
    r.parentPath = kMakerKeyRoot;
    r.name = kMakerKey;
    EXPECT_TRUE(r.exists());
    FakeWindow fresh("FrmMonitor", 77, 88);
    restoreWindowPosition(program, fresh);
    EXPECT_EQ(fresh.moves, 0);
    saveWindowPosition(program, monitor);
    EXPECT_EQ(stored("FrmMonitor_x"), "4") << "the next save creates the key again";
}
